#include "CentralLibrary.h"

#include <standin/corvane.h>
#include <standin/crt.h>
#include <standin/oskel.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace dialog_test {

void DialogTest::SetUp()
{
    fs::create_directories(Native());
    m_scopedDisplay = std::make_unique<standin::ScopedDisplay>(m_display);
    standin::oskel::ClearFailures();
    standin::oskel::ResetCallLog();
    standin::corvane::ClearFailures();
    standin::corvane::ResetCallLog();
}

void DialogTest::TearDown()
{
    m_scopedDisplay.reset();
    standin::oskel::ClearFailures();
    standin::corvane::ClearFailures();
    standin::ClearFaults();
    standin::SetListingOrder(standin::ListingOrder::FileSystem);
}

void DialogTest::Make2007(const std::string& relative, std::vector<standin::oskel::LayerDescription> layers)
{
    Make2007(relative, standin::oskel::PcbDescription(std::move(layers)));
}

void DialogTest::Make2007(const std::string& relative, const standin::oskel::Description& description)
{
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel((Native(relative) / "keyin.oskel").string(), description, &error)) << error;
}

void DialogTest::Make2005(const std::string& relative, const standin::corvane::Description& description)
{
    fs::create_directories(Native(relative).parent_path());
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template(Native(relative).string(), description, &error)) << error;
}

void DialogTest::MakeFile(const std::string& relative, const std::string& contents)
{
    fs::create_directories(Native(relative).parent_path());
    std::ofstream(Native(relative), std::ios::binary) << contents;
}

void DialogTest::MakeFolder(const std::string& relative) { fs::create_directories(Native(relative)); }

standin::corvane::Description DialogTest::Layers2005(const std::vector<std::pair<int, int>>& layers)
{
    standin::corvane::Description description;
    for (const auto& [type, number] : layers)
        description.layers.push_back({type, number, false});
    return description;
}

void DialogTest::Snapshot()
{
    m_display.Push(standin::Action::Inspect([this](HWND active) { m_states.push_back(ilt::ReadDialogState(active)); }));
}

std::vector<std::string> DialogTest::MessageTexts() const
{
    std::vector<std::string> texts;
    for (const auto& box : m_display.MessageBoxes())
        texts.push_back(box.text);
    return texts;
}

}  // namespace dialog_test
