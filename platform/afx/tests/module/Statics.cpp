// Static objects of the test extension module: a class registered by name
// while the module is constructed, and a probe of the order of events.
#include "ModuleProbe.h"

namespace {

class CModuleThing : public CCmdTarget
{
	DECLARE_DYNAMIC(CModuleThing)
};
IMPLEMENT_DYNAMIC(CModuleThing, CCmdTarget)

AFX_CLASSINIT registerThing(RUNTIME_CLASS(CModuleThing));

struct StaticsProbe
{
	StaticsProbe()
	{
		Probe().hookRanBeforeStatics = AfxGetModuleState()->m_bModuleInitPending != FALSE;
		constructed = true;
	}
	bool constructed = false;
} staticsProbe;

}  // namespace

ModuleProbe& Probe()
{
	static ModuleProbe probe;
	return probe;
}

bool StaticsConstructed()
{
	return staticsProbe.constructed;
}

ModuleProbe* AfxTestModuleProbe()
{
	return &Probe();
}
