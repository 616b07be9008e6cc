// VarnelViewDatabase.cpp - the database commands of the design view: Database Settings,
// View Database Data and Merge Selected DB-Texts.

#include "VarnelView.h"
#include "VarnelApp.h"
#include "data/BrowDataSource.h"
#include "data/ColumnBinding.h"
#include "data/DataEntryDlg.h"
#include "data/UnexpectedError.h"
#include "resources/resource.h"
#include "model/Element.h"
#include "model/TextElements.h"
#include "model/VarnelDoc.h"

#include <algorithm>
#include <vector>

namespace
{

// The names of the columns the document's database texts are bound to, each once, in
// the order of the design; empty when no text is bound.
CString BoundColumnNames(CVarnelDoc& doc)
{
    const std::vector<CString> names = TableColumnNames(doc.m_pDataRows, doc.m_nDataRows, doc.m_nDataColumns);
    std::vector<CString> bound;
    for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = doc.m_listElements.GetNext(pos);
        std::vector<int> columns;
        if (!IsDbText(pElement) || !ParseColumnBinding(pElement->m_strColumn, columns))
            continue;
        for (int nColumn : columns)
        {
            if (nColumn < (int)names.size() && std::find(bound.begin(), bound.end(), names[nColumn]) == bound.end())
                bound.push_back(names[nColumn]);
        }
    }
    CString strNames;
    for (const CString& strName : bound)
        strNames += (strNames.IsEmpty() ? "" : ", ") + strName;
    return strNames;
}

// Where the dialogs' file choosers start.
CString StartFolder()
{
    CVarnelApp* pApp = GetVarnelApp();
    return pApp != NULL ? pApp->m_strMyDocumentsFolder : CString();
}
}

void CVarnelView::OnDatabaseSettings()
{
    SetDatabase();
}

void CVarnelView::OnViewDatabaseData()
{
    EditDatabaseData();
}

// Lets the user pick a data source and takes its table; database texts keep a column the new source also
// has, the others are unbound.
void CVarnelView::SetDatabase()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;

    CBrowDataSource dlg;
    dlg.m_strDescription = pDoc->m_strDataSource;
    dlg.m_strInitialFolder = StartFolder();
    dlg.m_strBaseFolder = pDoc->GetPathName();
    const int nSlash = dlg.m_strBaseFolder.ReverseFind('\\');
    dlg.m_strBaseFolder = nSlash >= 0 ? dlg.m_strBaseFolder.Left(nSlash) : CString();
    if (dlg.DoModal() != IDOK)
        return;

    const std::vector<CString> oldNames =
        TableColumnNames(pDoc->m_pDataRows, pDoc->m_nDataRows, pDoc->m_nDataColumns);
    pDoc->TakeDataTable(dlg.m_table);
    BOOL bModified = pDoc->m_strDataSource != dlg.m_strDescription;
    pDoc->m_strDataSource = dlg.m_strDescription;

    // Texts keep their columns when the new source has them; the others are unbound.
    const std::vector<CString> newNames =
        TableColumnNames(pDoc->m_pDataRows, pDoc->m_nDataRows, pDoc->m_nDataColumns);
    int nUnbound = 0;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = pDoc->m_listElements.GetNext(pos);
        if (!IsDbText(pElement))
            continue;
        CString strRebound;
        if (RebindColumnBinding(pElement->m_strColumn, oldNames, newNames, strRebound))
        {
            bModified = bModified || strRebound != pElement->m_strColumn;
            pElement->m_strColumn = strRebound;
            continue;
        }
        bModified = bModified || !pElement->m_strColumn.IsEmpty() ||
            pElement->m_strText != g_szUnboundDbText;
        pElement->m_strColumn.Empty();
        pElement->m_strText = g_szUnboundDbText;
        ++nUnbound;
    }
    // an unbound text is let go: the selection list goes with the handles, so no command
    // acts on an element that shows none, and the bar and the Size pane follow
    if (nUnbound > 0)
        pDoc->ClearSelection();
    if (bModified)
        pDoc->SetModifiedFlag();
    pDoc->UpdateAllViews(NULL);
    if (GetSafeHwnd() != NULL)
        UpdateWindow();
}

// Asks before changing the data source while texts are bound to its columns, then changes it.
void CVarnelView::ConfirmAndSetDatabase()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    BOOL bHasDbText = FALSE;
    for (POSITION pos = pDoc->m_listElements.GetHeadPosition(); pos != NULL && !bHasDbText;)
        bHasDbText = IsDbText(pDoc->m_listElements.GetNext(pos));
    // texts bound to nothing have nothing to lose
    const CString strBound = bHasDbText && pDoc->m_nDataRows >= 0 ? BoundColumnNames(*pDoc) : CString();
    if (!strBound.IsEmpty())
    {
        CString strQuestion;
        AfxFormatString1(strQuestion, IDS_DB_CONFIRM_CHANGE, strBound);
        if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    SetDatabase();
}

// Edits a copy of the table in the data entry dialog (asking for a source first when there is none) and
// takes it back on OK.
void CVarnelView::EditDatabaseData()
{
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    if (pDoc->m_nDataRows == -1)
    {
        if (AfxMessageBox(IDS_DB_SOURCE_NEEDED, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        SetDatabase();
        if (pDoc->m_nDataRows == -1)
            return;
    }

    CDataEntryDlg dlg;
    dlg.SetTable(pDoc->m_pDataRows, pDoc->m_nDataRows, pDoc->m_nDataColumns);
    dlg.m_strInitialFolder = StartFolder();
    if (dlg.DoModal() != IDOK)
        return;
    CDataTable table;
    dlg.DetachTable(table.m_pRows, table.m_nRows, table.m_nColumns);
    pDoc->TakeDataTable(table);
    // the bar offers the columns as they are now to a selected database text
    pDoc->UpdateAllViews(NULL);
}

// The selected database texts that are not locked become one text in the first of them,
// as wide as they were together (up to the design's right edge).
void CVarnelView::OnMergeDbTexts()
{
    if (!m_bMergeHintShown)
    {
        m_bMergeHintShown = TRUE;
        AfxMessageBox(IDS_DB_MERGE_HINT);
    }
    CVarnelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    try
    {
        // in the order the user picked them: the tracker's, then what only the list holds
        std::vector<CElement*> merged;
        auto take = [&merged](CElement* pElement)
        {
            if (IsDbText(pElement) && !pElement->m_bLocked &&
                std::find(merged.begin(), merged.end(), pElement) == merged.end())
                merged.push_back(pElement);
        };
        for (INT_PTR i = 0; i < pDoc->m_tracker.m_arrSelected.GetSize(); i++)
        {
            CElement* pElement = pDoc->m_tracker.m_arrSelected[i];
            if (pDoc->m_listSelection.Find(pElement) != NULL)
                take(pElement);
        }
        for (POSITION pos = pDoc->m_listSelection.GetHeadPosition(); pos != NULL;)
            take(pDoc->m_listSelection.GetNext(pos));
        if (merged.size() < 2)
            return;
        pDoc->PushUndo();

        CElement* pFirst = merged[0];
        CString strColumn = pFirst->m_strColumn;
        CString strText = pFirst->m_strText;
        int nWidth = pFirst->m_rect.Width();
        for (size_t i = 1; i < merged.size(); ++i)
        {
            strColumn = JoinColumnBindings(strColumn, merged[i]->m_strColumn);
            strText += "+" + merged[i]->m_strText;
            nWidth += merged[i]->m_rect.Width();
        }
        pFirst->m_strColumn = strColumn;
        pFirst->m_strText = strText;
        int nRight = pFirst->m_rect.left + nWidth;
        if (nRight > pDoc->m_nDesignWidth)
            nRight = pDoc->m_nDesignWidth;
        if (nRight < pFirst->m_rect.right)
            nRight = pFirst->m_rect.right;
        pFirst->SetRect(pFirst->m_rect.left, pFirst->m_rect.top, nRight, pFirst->m_rect.bottom);
        pDoc->UpdateAllViews(NULL);

        pDoc->ClearSelection();
        for (size_t i = 1; i < merged.size(); ++i)
        {
            POSITION pos = pDoc->m_listElements.Find(merged[i]);
            if (pos != NULL)
            {
                pDoc->m_listElements.RemoveAt(pos);
                delete merged[i];
            }
        }
        pDoc->UpdateAllViews(NULL);
        pDoc->SetModifiedFlag();
    }
    catch (CException* e)
    {
        e->Delete();
        ShowUnexpectedError();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}
