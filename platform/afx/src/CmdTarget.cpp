// CCmdTarget: dispatch of commands through the chain of message maps.
//
// Not implemented: command UI updating (CN_UPDATE_COMMAND_UI), OLE
// automation, routing to other command targets.

#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// The root of every chain: no base map and no entries.
const AFX_MSGMAP_ENTRY CCmdTarget::_messageEntries[] = { { 0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr) } };
const AFX_MSGMAP CCmdTarget::messageMap = { NULL, &CCmdTarget::_messageEntries[0] };

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
	return &CCmdTarget::messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
	return &CCmdTarget::messageMap;
}

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

namespace {

const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nCode, UINT nID)
{
	for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
	{
		if (lpEntry->nMessage == WM_COMMAND && lpEntry->nCode == nCode && lpEntry->nID <= nID &&
		    nID <= lpEntry->nLastID)
			return lpEntry;
	}
	return NULL;
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	UNREFERENCED_PARAMETER(pExtra);

	// Entries hold ids and codes as WORDs, as WM_COMMAND carries them.
	const UINT nEntryCode = static_cast<WORD>(nCode);
	const UINT nEntryID = static_cast<WORD>(nID);
	for (const AFX_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != NULL;
	     pMessageMap = pMessageMap->pfnGetBaseMap != NULL ? pMessageMap->pfnGetBaseMap() : NULL)
	{
		const AFX_MSGMAP_ENTRY* lpEntry = FindCommandEntry(pMessageMap->lpEntries, nEntryCode, nEntryID);
		if (lpEntry == NULL || lpEntry->nSig != AfxSigCmd_v)
			continue;
		if (pHandlerInfo != NULL)
		{
			pHandlerInfo->pTarget = this;
			pHandlerInfo->pmf = lpEntry->pfn;
			return TRUE;
		}
		(this->*lpEntry->pfn)();
		return TRUE;
	}
	return FALSE;
}
