// Tests of command dispatch through message maps.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kOpen = 100;
const UINT kList = 200;
const UINT kSave = 300;

class CBaseTarget : public CCmdTarget
{
public:
	std::string calls;

	afx_msg void OnOpen() { calls += "base-open "; }
	afx_msg void OnListChanged() { calls += "base-list "; }
	virtual void OnSaveCommand() { calls += "base-save "; }

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
	ON_COMMAND(kOpen, &CBaseTarget::OnOpen)
	ON_CBN_SELCHANGE(kList, &CBaseTarget::OnListChanged)
	ON_COMMAND(kSave, &CBaseTarget::OnSaveCommand)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget
{
public:
	afx_msg void OnOpenHere() { calls += "derived-open "; }
	void OnSaveCommand() override { calls += "derived-save "; }

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
	ON_BN_CLICKED(kOpen, &CDerivedTarget::OnOpenHere)
END_MESSAGE_MAP()

TEST(MessageMap, TheMostDerivedEntryWinsAndBaseEntriesAreReached)
{
	CDerivedTarget target;
	EXPECT_TRUE(target.OnCmdMsg(kOpen, BN_CLICKED, nullptr, nullptr));
	EXPECT_TRUE(target.OnCmdMsg(kList, CBN_SELCHANGE, nullptr, nullptr));
	EXPECT_EQ("derived-open base-list ", target.calls);

	CBaseTarget base;
	EXPECT_TRUE(base.OnCmdMsg(kOpen, CN_COMMAND, nullptr, nullptr));
	EXPECT_EQ("base-open ", base.calls);
}

TEST(MessageMap, EntriesMatchIdAndNotificationCode)
{
	CDerivedTarget target;
	EXPECT_FALSE(target.OnCmdMsg(kList, CBN_DBLCLK, nullptr, nullptr));
	EXPECT_FALSE(target.OnCmdMsg(kOpen, CBN_SELCHANGE, nullptr, nullptr));
	EXPECT_FALSE(target.OnCmdMsg(999, BN_CLICKED, nullptr, nullptr));
	// Ids and codes travel as WORDs in WM_COMMAND.
	EXPECT_TRUE(target.OnCmdMsg(kOpen + 0x10000, BN_CLICKED, nullptr, nullptr));
	EXPECT_EQ("derived-open ", target.calls);
}

TEST(MessageMap, VirtualHandlersDispatchToTheOverride)
{
	CDerivedTarget target;
	EXPECT_TRUE(target.OnCmdMsg(kSave, CN_COMMAND, nullptr, nullptr));
	EXPECT_EQ("derived-save ", target.calls);
}

TEST(MessageMap, HandlerInfoReportsWithoutCalling)
{
	CDerivedTarget target;
	AFX_CMDHANDLERINFO info = {};
	EXPECT_TRUE(target.OnCmdMsg(kList, CBN_SELCHANGE, nullptr, &info));
	EXPECT_EQ(&target, info.pTarget);
	EXPECT_TRUE(info.pmf == static_cast<AFX_PMSG>(&CBaseTarget::OnListChanged));
	EXPECT_EQ("", target.calls);
}

}  // namespace
