// bench_dataentry.cpp - the data-entry dialog on a table of 10,000 records and 10
// columns, driven through its real controls: the dialog opened, a record clicked in the
// list, 100 presses of Next (the next record clicked whenever its last field is reached),
// a Save, an Add, and a record clicked and deleted. Each step is timed from the input to
// the dialog drawn again, and the slowest and median steps are printed.

#include "bench_dataentry.h"

#include "DataEntryDlg.h"
#include "DataSource.h"
#include "dialog_script.h"
#include "message_box_recorder.h"

#include <commctrl.h>

#include <stdio.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
const int kRecords = 10000;
const int kColumns = 10;

double Now()
{
    LARGE_INTEGER freq, now;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Everything the input made invalid is drawn now.
void DrawNow(CWnd* pDlg)
{
    pDlg->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A press of a button as the mouse makes it.
void PressButton(CWnd* pDlg, int nID)
{
    pDlg->GetDlgItem(nID)->SendMessage(BM_CLICK);
}

// A click on a record's row of the list; the release waits in the queue for the press.
void ClickRecord(CListCtrl& list, int nItem)
{
    list.EnsureVisible(nItem, FALSE);
    CRect rect;
    list.GetItemRect(nItem, &rect, LVIR_LABEL);
    const LPARAM lParam = MAKELPARAM(rect.left + 4, rect.CenterPoint().y);
    ::PostMessageA(list.m_hWnd, WM_LBUTTONUP, 0, lParam);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
}

struct CStepTimes
{
    const char* m_pszName;
    std::vector<double> m_times;    // seconds
};

void Report(const CStepTimes& step)
{
    if (step.m_times.empty())
    {
        printf("  %-14s not run\n", step.m_pszName);
        return;
    }
    std::vector<double> times(step.m_times);
    std::sort(times.begin(), times.end());
    printf("  %-14s %4u step(s): median %8.2f ms, slowest %8.2f ms\n", step.m_pszName,
        static_cast<unsigned>(times.size()), times[times.size() / 2] * 1000.0, times.back() * 1000.0);
}
} // namespace

int RunDataEntryBench(int nNextPresses)
{
    ::InitCommonControls();
    CString** pRows = new CString*[kRecords + 1];
    for (int r = 0; r <= kRecords; ++r)
    {
        pRows[r] = new CString[kColumns];
        for (int c = 0; c < kColumns; ++c)
        {
            if (r == 0)
                pRows[r][c].Format("Column%d", c + 1);
            else
                pRows[r][c].Format("Value %d of record %d", c + 1, r);
        }
    }

    CStepTimes open = { "open", {} };
    CStepTimes click = { "record click", {} };
    CStepTimes next = { "Next", {} };
    CStepTimes save = { "Save", {} };
    CStepTimes add = { "Add", {} };
    CStepTimes remove = { "Delete", {} };
    int nResult = 0;
    {
        CMessageBoxRecorder boxes;
        CDataEntryDlg dlg;
        dlg.SetTable(pRows, kRecords + 1, kColumns);
        CDialogScript script;
        double fStart = 0.0;
        auto timed = [](CStepTimes& step, CWnd* pDlg, const std::function<void()>& input)
        {
            const double f0 = Now();
            input();
            DrawNow(pDlg);
            step.m_times.push_back(Now() - f0);
        };
        script.OnDialog(IDD_DATAENTRY)
            .Do([&](CWnd* pDlg)
            {
                DrawNow(pDlg);
                open.m_times.push_back(Now() - fStart);
                int nRecord = 5000;
                timed(click, pDlg, [&] { ClickRecord(dlg.m_list, nRecord); });
                for (int i = 0; i < nNextPresses; ++i)
                {
                    if (!pDlg->GetDlgItem(IDC_DE_NEXT)->IsWindowEnabled())
                        timed(click, pDlg, [&] { ClickRecord(dlg.m_list, ++nRecord); });
                    pDlg->SetDlgItemText(IDC_DE_VALUE, "typed");
                    timed(next, pDlg, [&] { PressButton(pDlg, IDC_DE_NEXT); });
                }
                timed(save, pDlg, [&] { PressButton(pDlg, IDC_DE_SAVE); });
                timed(add, pDlg, [&] { PressButton(pDlg, IDC_DE_ADD); });
                timed(click, pDlg, [&] { ClickRecord(dlg.m_list, 7000); });
                timed(remove, pDlg, [&] { PressButton(pDlg, IDC_DE_DELETESELECTED); });
            })
            .OK();
        fStart = Now();
        if (dlg.DoModal() != IDOK || script.GetFailureCount() != 0)
        {
            fprintf(stderr, "bench_data: the data-entry dialog did not end with OK\n%s\n",
                (LPCSTR)script.GetLog());
            nResult = 1;
        }
        CString** pEdited = NULL;
        int nRows = 0, nColumns = 0;
        dlg.DetachTable(pEdited, nRows, nColumns);
        // one record added, one deleted
        if (nResult == 0 && nRows != kRecords + 1)
        {
            fprintf(stderr, "bench_data: %d rows after the steps, %d expected\n", nRows, kRecords + 1);
            nResult = 1;
        }
        FreeDataTable(pEdited, nRows);
    }
    FreeDataTable(pRows, kRecords + 1);

    printf("bench_data: data-entry dialog, %d records x %d columns, input to drawn:\n", kRecords, kColumns);
    for (const CStepTimes* pStep : { &open, &click, &next, &save, &add, &remove })
        Report(*pStep);
    return nResult;
}
