// Tests of CString.
#include <afx.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CString, ConstructsFromNullEmptyAndText)
{
	EXPECT_TRUE(CString().IsEmpty());
	EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr)).IsEmpty());
	EXPECT_STREQ("", CString(static_cast<LPCSTR>(nullptr)).GetString());

	const CString text("D:\\lib");
	EXPECT_EQ(6, text.GetLength());
	EXPECT_STREQ("D:\\lib", static_cast<LPCSTR>(text));

	EXPECT_EQ(3, CString("abcdef", 3).GetLength());
	EXPECT_STREQ("xxx", CString('x', 3).GetString());
}

TEST(CString, CopiesAreIndependent)
{
	CString original("4L");
	CString copy(original);
	copy += "-changed";
	EXPECT_STREQ("4L", original.GetString());

	CString assigned;
	assigned = original;
	original.Empty();
	EXPECT_STREQ("4L", assigned.GetString());
	EXPECT_TRUE(original.IsEmpty());

	CString moved(std::move(assigned));
	EXPECT_STREQ("4L", moved.GetString());

	// Assigning a pointer into the string itself.
	CString self("abcdef");
	self = static_cast<LPCSTR>(self) + 2;
	EXPECT_STREQ("cdef", self.GetString());
	self = static_cast<LPCSTR>(nullptr);
	EXPECT_TRUE(self.IsEmpty());
}

TEST(CString, FormatCopiesPercentSignsInDataVerbatim)
{
	CString message;
	message.Format("Central library \"%s\" doesn't exist.", "D:\\100%s%n%d");
	EXPECT_STREQ("Central library \"D:\\100%s%n%d\" doesn't exist.", message.GetString());

	message.Format("%d rows", 12);
	EXPECT_STREQ("12 rows", message.GetString());
	message.AppendFormat(", %s", "done");
	EXPECT_STREQ("12 rows, done", message.GetString());

	// The string's own text as an argument.
	message.Format("<%s>", static_cast<LPCSTR>(message));
	EXPECT_STREQ("<12 rows, done>", message.GetString());

	// Longer than any fixed buffer.
	const std::string longText(100000, 'p');
	message.Format("%s!", longText.c_str());
	EXPECT_EQ(100001, message.GetLength());
	EXPECT_EQ('!', message[100000]);
}

TEST(CString, ComparesAndConcatenatesWithStringsAndPointers)
{
	const CString name("6L");
	EXPECT_TRUE(name == "6L");
	EXPECT_TRUE("6L" == name);
	EXPECT_TRUE(name == CString("6L"));
	EXPECT_TRUE(name != "6l");
	EXPECT_TRUE(CString() == static_cast<LPCSTR>(nullptr));
	EXPECT_TRUE(CString("10L") < "4L");  // bytes, not numbers
	EXPECT_TRUE("10L" < CString("4L"));
	EXPECT_FALSE(name < name);
	EXPECT_EQ(0, name.CompareNoCase("6l"));
	EXPECT_GT(CString("\xC3\xA9").Compare("z"), 0);  // bytes compare unsigned

	EXPECT_STREQ("D:\\lib\\6L", (CString("D:\\lib") + "\\" + name).GetString());
	EXPECT_STREQ("x6L", ("x" + name).GetString());
	EXPECT_STREQ("6L/", (name + '/').GetString());
	EXPECT_STREQ("/6L", ('/' + name).GetString());
	EXPECT_STREQ("6L6L", (name + name).GetString());
}

TEST(CString, BufferTakesWhatWasWrittenIntoIt)
{
	CString text("abc");
	char* buffer = text.GetBuffer(10);
	EXPECT_STREQ("abc", buffer);  // keeps the current text
	std::snprintf(buffer, 11, "%s", "0123456789");
	text.ReleaseBuffer();
	EXPECT_STREQ("0123456789", text.GetString());

	text.GetBuffer(0);
	text.ReleaseBuffer(4);
	EXPECT_STREQ("0123", text.GetString());

	char* exact = text.GetBufferSetLength(2);
	exact[0] = 'o';
	exact[1] = 'k';
	text.ReleaseBuffer();
	EXPECT_STREQ("ok", text.GetString());
}

TEST(CString, SubstringsClampToTheText)
{
	const CString text("keyin.oskel");
	EXPECT_STREQ("keyin", text.Left(5).GetString());
	EXPECT_STREQ("oskel", text.Mid(6).GetString());
	EXPECT_STREQ("os", text.Mid(6, 2).GetString());
	EXPECT_STREQ("oskel", text.Right(5).GetString());
	EXPECT_STREQ("", text.Left(-1).GetString());
	EXPECT_STREQ("keyin.oskel", text.Mid(-3, 100).GetString());
	EXPECT_STREQ("", text.Mid(50).GetString());
	EXPECT_STREQ("keyin.oskel", text.Right(99).GetString());
	EXPECT_EQ(5, text.Find('.'));
	EXPECT_EQ(-1, text.Find('.', 6));
	EXPECT_EQ(6, text.Find("oskel"));
	EXPECT_EQ(-1, text.Find("sids"));
	EXPECT_EQ(-1, text.Find('k', 99));
	EXPECT_EQ('\0', text.GetAt(99));
}

}  // namespace
