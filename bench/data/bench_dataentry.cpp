// bench_dataentry.cpp - the data-entry dialog on a table of 10,000 records and 10
// columns, driven through its real controls: the dialog opened (once before, since the
// process's first dialog also loads classes and fonts), a record clicked in the list,
// 100 presses of Next (the next record clicked whenever its last field is reached), a
// Save, an Add, and a record clicked and deleted. Each step is timed from the input
// (posted press and release, handled) to the dialog drawn again, and the slowest and
// median steps are printed. A press of a disabled button fails the run.

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

// Handles every message waiting for this thread.
void HandleQueuedInput()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A press and release of an enabled button, handled; FALSE when the button is disabled.
bool PressButton(CWnd* pDlg, int nID)
{
    CWnd* pButton = pDlg->GetDlgItem(nID);
    if (!pButton->IsWindowEnabled())
        return false;
    CRect rect;
    pButton->GetClientRect(&rect);
    const LPARAM lParam = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    pButton->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    pButton->PostMessage(WM_LBUTTONUP, 0, lParam);
    HandleQueuedInput();
    return true;
}

// A click on a record's row of the list, handled.
void ClickRecord(CListCtrl& list, int nItem)
{
    list.EnsureVisible(nItem, FALSE);
    CRect rect;
    list.GetItemRect(nItem, &rect, LVIR_LABEL);
    const LPARAM lParam = MAKELPARAM(rect.left + 4, rect.CenterPoint().y);
    list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    list.PostMessage(WM_LBUTTONUP, 0, lParam);
    HandleQueuedInput();
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

    CStepTimes first = { "first open", {} };
    CStepTimes open = { "open", {} };
    CStepTimes click = { "record click", {} };
    CStepTimes next = { "Next", {} };
    CStepTimes save = { "Save", {} };
    CStepTimes add = { "Add", {} };
    CStepTimes remove = { "Delete", {} };
    int nResult = 0;
    {
        // the process's first dialog also loads the controls' classes and fonts
        CDataEntryDlg dlg;
        dlg.SetTable(pRows, kRecords + 1, kColumns);
        CDialogScript script;
        double fStart = 0.0;
        script.OnDialog(IDD_DATAENTRY)
            .Do([&](CWnd* pDlg)
            {
                DrawNow(pDlg);
                first.m_times.push_back(Now() - fStart);
            })
            .OK();
        fStart = Now();
        dlg.DoModal();
    }
    {
        CMessageBoxRecorder boxes;
        CDataEntryDlg dlg;
        dlg.SetTable(pRows, kRecords + 1, kColumns);
        CDialogScript script;
        double fStart = 0.0;
        bool bPressed = true;   // every button pressed was enabled
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
                    timed(next, pDlg, [&] { bPressed = PressButton(pDlg, IDC_DE_NEXT) && bPressed; });
                }
                ClickRecord(dlg.m_list, nRecord);
                timed(save, pDlg, [&] { bPressed = PressButton(pDlg, IDC_DE_SAVE) && bPressed; });
                timed(add, pDlg, [&] { bPressed = PressButton(pDlg, IDC_DE_ADD) && bPressed; });
                timed(click, pDlg, [&] { ClickRecord(dlg.m_list, 7000); });
                timed(remove, pDlg, [&] { bPressed = PressButton(pDlg, IDC_DE_DELETESELECTED) && bPressed; });
            })
            .OK();
        fStart = Now();
        if (dlg.DoModal() != IDOK || script.GetFailureCount() != 0 || !bPressed)
        {
            fprintf(stderr, "bench_data: the data-entry dialog did not end with OK or a button was disabled\n%s\n",
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
    for (const CStepTimes* pStep : { &first, &open, &click, &next, &save, &add, &remove })
        Report(*pStep);
    return nResult;
}
