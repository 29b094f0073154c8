// Tests of run-time class information: IsKindOf, the class records and
// registration by name.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

namespace {

class CShape : public CCmdTarget
{
	DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CCmdTarget)

class CCircle : public CShape
{
	DECLARE_DYNAMIC(CCircle)
};
IMPLEMENT_DYNAMIC(CCircle, CShape)

AFX_CLASSINIT registerCircle(RUNTIME_CLASS(CCircle));

TEST(RuntimeClass, RecordsNameSchemaAndBase)
{
	const CRuntimeClass* record = RUNTIME_CLASS(CCircle);
	EXPECT_STREQ("CCircle", record->m_lpszClassName);
	EXPECT_EQ(static_cast<int>(sizeof(CCircle)), record->m_nObjectSize);
	EXPECT_EQ(0xFFFFu, record->m_wSchema);
	EXPECT_EQ(nullptr, record->m_pfnCreateObject);
	EXPECT_EQ(nullptr, record->CreateObject());
	EXPECT_EQ(RUNTIME_CLASS(CShape), record->m_pfnGetBaseClass());
	EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pfnGetBaseClass);

	EXPECT_STREQ("CDialog", RUNTIME_CLASS(CDialog)->m_lpszClassName);
	EXPECT_EQ(RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CDialog)->m_pfnGetBaseClass());
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain)
{
	CCircle circle;
	const CObject& object = circle;
	EXPECT_EQ(RUNTIME_CLASS(CCircle), object.GetRuntimeClass());
	EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CCircle)));
	EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
	EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
	EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
	EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CWnd)));

	CListCtrl list;
	EXPECT_TRUE(list.IsKindOf(RUNTIME_CLASS(CWnd)));
	EXPECT_FALSE(list.IsKindOf(RUNTIME_CLASS(CComboBox)));
	EXPECT_FALSE(list.IsKindOf(nullptr));

	CObject* pObject = &list;
	EXPECT_EQ(&list, DYNAMIC_DOWNCAST(CListCtrl, pObject));
	EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CDialog, pObject));
	EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CWnd, static_cast<CObject*>(nullptr)));
}

TEST(RuntimeClass, RegisteredClassesAreFoundByName)
{
	EXPECT_EQ(RUNTIME_CLASS(CCircle), CRuntimeClass::FromName("CCircle"));
	EXPECT_EQ(nullptr, CRuntimeClass::FromName("CShape"));  // never registered
	EXPECT_EQ(nullptr, CRuntimeClass::FromName("ccircle"));
	EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
}

}  // namespace
