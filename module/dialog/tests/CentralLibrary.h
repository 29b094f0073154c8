// Fixture of the dialog's tests: a central library in a temporary folder
// mapped as drive D: (D:\lib), builders for templates of both formats, and a
// run of the real dialog through the scripted display.
#pragma once

#include <standin/corvane_writer.h>
#include <standin/crt.h>
#include <standin/display.h>
#include <standin/oskel_writer.h>
#include <testsupport/TempDrive.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogstate/DialogState.h"

namespace dialog_test {

namespace fs = std::filesystem;

class DialogTest : public ::testing::Test {
protected:
    static constexpr const char* kCentral = "D:\\lib";
    static constexpr const char* kLayout = "Templates/Layout";

    void SetUp() override;
    void TearDown() override;

    // Templates below the central library; `relative` is written with '/'.
    void Make2007(const std::string& relative, std::vector<standin::oskel::LayerDescription> layers);
    void Make2007(const std::string& relative, const standin::oskel::Description& description);
    void Make2005(const std::string& relative, const standin::corvane::Description& description);
    void MakeFile(const std::string& relative, const std::string& contents = std::string());
    void MakeFolder(const std::string& relative);
    fs::path Native(const std::string& relative = std::string()) const { return m_drive.Native("lib/" + relative); }

    // A 2005 description whose layers have the given (type, number) pairs.
    static standin::corvane::Description Layers2005(const std::vector<std::pair<int, int>>& layers);

    // Queues an action, and one that records the dialog's state at that point.
    void Then(standin::Action action) { m_display.Push(std::move(action)); }
    void Snapshot();  // records ilt::ReadDialogState of the active window into m_states

    // Texts of the message boxes shown so far, in order.
    std::vector<std::string> MessageTexts() const;

    testsupport::TempDrive m_drive{'D', "ilt-dialog"};
    standin::ScriptedDisplay m_display;
    std::vector<ilt::DialogState> m_states;

private:
    std::unique_ptr<standin::ScopedDisplay> m_scopedDisplay;
};

// Expected rows of the stack-up list.
using Rows = std::vector<std::array<std::string, 3>>;

}  // namespace dialog_test
