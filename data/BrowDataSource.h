// BrowDataSource.h - CBrowDataSource, the data-source dialog "Select Data
// Source" (dialog 307).
//
// Notes
// - The loading of descriptions comes from CDataSourceLoader: the loaded
//   data table (m_pRows, m_nRows, m_nColumns), LoadDataSource, LoadAdoTable
//   and LoadDelimitedText.  A CBrowDataSource that is never shown is the
//   loader of a publication's stored description.
// - The dialog half (controls, handlers, the table and sheet lists) derives
//   the class from CDialog as well, as its first base, and overrides
//   PresetControls to show a stored description.

#pragma once

#include "DataSourceLoader.h"

// CBrowDataSource binds a publication to an Access, Excel or text source.
class CBrowDataSource : public CDataSourceLoader
{
public:
    CBrowDataSource();
    virtual ~CBrowDataSource();

// Member variables
    CString m_strDescription;   // given in before the dialog opens, written by OK
};
