// The fixture of the design view's database command tests: a document with one design
// view (no window), its database texts and table, recorded message boxes.
#pragma once

#include "datadlg_test.h"
#include "test_support.h"

#include "app/VarnelView.h"
#include "data/BrowDataSource.h"
#include "data/ColumnBinding.h"
#include "data/DataEntryDlg.h"
#include "model/TextElements.h"
#include "model/VarnelDoc.h"
#include "resources/resource.h"

#include <memory>

const char kUnbound[] = "<<TextFromDB>>";

// A document with one design view (no window) that are deleted together.
class CDocAndView
{
public:
    CDocAndView()
    {
        m_pDoc = new CVarnelDoc;
        m_pView = static_cast<CVarnelView*>(RUNTIME_CLASS(CVarnelView)->CreateObject());
        m_pDoc->AddView(m_pView);
    }
    // The document goes first: a view leaving it would make it close itself.
    ~CDocAndView()
    {
        delete m_pDoc;
        delete m_pView;
    }
    CDocAndView(const CDocAndView&) = delete;
    CDocAndView& operator=(const CDocAndView&) = delete;

    // A database text of the given place and binding, appended to the design.
    CElement* AddDbText(int nLeft, int nWidth, const char* pszColumn, const char* pszText)
    {
        CDbText* pText = new CDbText(CPoint(nLeft, 10), CPoint(nLeft + nWidth, 40));
        pText->m_strColumn = pszColumn;
        pText->m_strText = pszText;
        pText->m_nKind = KIND_DBTEXT;
        m_pDoc->m_listElements.AddTail(pText);
        return pText;
    }

    void Select(CElement* pElement)
    {
        m_pDoc->m_listSelection.AddTail(pElement);
        m_pDoc->m_tracker.Add(pElement);
    }

    // The document takes a table (row 0 the names) and a description.
    void Bind(const std::vector<Row>& rows, const CString& strDescription)
    {
        CTableHolder table;
        table.Set(rows);
        m_pDoc->FreeDataTable();
        m_pDoc->m_pDataRows = table.m_pRows;
        m_pDoc->m_nDataRows = table.m_nRows;
        m_pDoc->m_nDataColumns = table.m_nColumns;
        table.m_pRows = NULL;
        table.m_nRows = -1;
        m_pDoc->m_strDataSource = strDescription;
    }

    Row DocRow(int nRow) const
    {
        return RowOf(m_pDoc->m_pDataRows, m_pDoc->m_nDataColumns, nRow);
    }

    // Sends a command through the view's message map.
    BOOL Command(UINT nID)
    {
        return m_pView->OnCmdMsg(nID, CN_COMMAND, NULL, NULL);
    }

    CVarnelDoc* m_pDoc;
    CVarnelView* m_pView;
};

class DatabaseCommands : public ::testing::Test
{
protected:
    CString Message(int nIndex) const
    {
        return nIndex < m_boxes.GetCount() ? m_boxes.GetCall(nIndex).m_strText : CString();
    }

    CMessageBoxRecorder m_boxes;
    CDialogScript m_script;
    CDocAndView m_dv;
};
