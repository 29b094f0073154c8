// CObject and run-time class information: IsKindOf, registration of classes
// by name (AFX_CLASSINIT) and lookup by name.
//
// Not implemented: CreateObject for classes without a creation function
// (none here has one), serialisation schemas.

#include <afxwin.h>

#include <cstring>

const CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, NULL, NULL };

CRuntimeClass* PASCAL CObject::GetThisClass()
{
	return _RUNTIME_CLASS(CObject);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
	return _RUNTIME_CLASS(CObject);
}

CObject::~CObject() = default;

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
	return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const
{
	return m_pfnCreateObject != NULL ? m_pfnCreateObject() : NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
	for (const CRuntimeClass* pClass = this; pClass != NULL;
	     pClass = pClass->m_pfnGetBaseClass != NULL ? pClass->m_pfnGetBaseClass() : NULL)
	{
		if (pClass == pBaseClass)
			return TRUE;
	}
	return FALSE;
}

namespace {

CRuntimeClass* FindInList(const AFX_CLASSINIT* pList, LPCSTR lpszClassName)
{
	for (; pList != NULL; pList = pList->m_pNext)
	{
		if (std::strcmp(pList->m_pClass->m_lpszClassName, lpszClassName) == 0)
			return pList->m_pClass;
	}
	return NULL;
}

}  // namespace

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
	if (lpszClassName == NULL)
		return NULL;
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	if (CRuntimeClass* pClass = FindInList(pModuleState->m_classList, lpszClassName))
		return pClass;
	for (CDynLinkLibrary* pDLL = pModuleState->m_libraryList; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
	{
		if (CRuntimeClass* pClass = FindInList(pDLL->m_classList, lpszClassName))
			return pClass;
	}
	return NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass)
{
	AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
	m_pNext = pModuleState->m_classList;
	pModuleState->m_classList = this;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
	if (pObject != NULL && pObject->IsKindOf(pClass))
		return pObject;
	return NULL;
}
