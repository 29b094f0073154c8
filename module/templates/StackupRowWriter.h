// Numbering the rows that a reader appends: the running number of a row is
// the count of rows already appended in this display, plus one.
#pragma once

#include <cstdio>
#include <string>

#include "templates/Stackup.h"

class StackupRowWriter
{
public:
	explicit StackupRowWriter(StackupOutput& output) : m_output(output), m_rows(0) {}

	void Append(const std::string& layerName, const std::string& layerUsage)
	{
		char number[16];
		std::snprintf(number, sizeof(number), "%d", ++m_rows);
		StackupRow row;
		row.number = number;
		row.layerName = layerName;
		row.layerUsage = layerUsage;
		m_output.AppendRow(row);
	}

private:
	StackupOutput& m_output;
	int m_rows;
};
