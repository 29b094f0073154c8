// CCorvaneLayer: one layer record of CorvanePI, filled by CCorvane::FindLayer.
// A new record, and one whose last FindLayer failed, holds no layer: both getters fail with
// CORVANE_E_LAYER_EMPTY.

#include <CorvanePI.h>

#include "Hooks.h"

using standin::corvane::Operation;

CCorvaneLayer::CCorvaneLayer()
    : m_typeStatus(CORVANE_E_LAYER_EMPTY), m_type(0), m_numberStatus(CORVANE_E_LAYER_EMPTY), m_number(0)
{
    corvane::LogCall("CCorvaneLayer");
}

CCorvaneLayer::~CCorvaneLayer() { corvane::LogCall("~CCorvaneLayer"); }

long CCorvaneLayer::GetLayerTypeValue(eLayerType* type)
{
    corvane::LogCall("GetLayerTypeValue");
    if (const long injected = corvane::InjectedFailure(Operation::GetLayerTypeValue))
        return injected;
    if (type == nullptr)
        return CORVANE_E_NULL_ARGUMENT;
    if (m_typeStatus != CORVANE_S_OK)
        return m_typeStatus;
    *type = static_cast<eLayerType>(m_type);
    return CORVANE_S_OK;
}

long CCorvaneLayer::GetLayerNumber(int* number)
{
    corvane::LogCall("GetLayerNumber");
    if (const long injected = corvane::InjectedFailure(Operation::GetLayerNumber))
        return injected;
    if (number == nullptr)
        return CORVANE_E_NULL_ARGUMENT;
    if (m_numberStatus != CORVANE_S_OK)
        return m_numberStatus;
    *number = m_number;
    return CORVANE_S_OK;
}
