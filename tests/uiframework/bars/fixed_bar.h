#pragma once

#include "uibars_support.h"

// A toolbar-like bar of a fixed size with an outer layout record.
class CTestFixedBar : public CExtControlBar
{
public:
    explicit CTestFixedBar(CSize size) : m_size(size) { m_bFixedSize = true; }
    CSize CalcDynamicLayout(int, DWORD) override { return m_size; }
    CSize CalcFixedLayout(BOOL, BOOL) override { return m_size; }
    OuterLayoutData_t* GetOuterLayoutData() override { return &m_data; }
    CSize m_size;
    OuterLayoutData_t m_data;
};
