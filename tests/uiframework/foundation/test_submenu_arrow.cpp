// The arrow of a sub-menu item, as a tracked popup paints it in both looks: a solid
// triangle pointing right, whatever the installed symbol font has at its arrow code.

#include "test_popup_support.h"
#include "test_paint_support.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;
const DWORD kShowAll = CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY;

// The rows of the arrow cell as text: '#' where the pixel is darker than the row's face.
std::vector<std::string> ArrowCell(CDC& dc, const CRect& rcItem)
{
    // the cell is the 16 pixels at the right of the row, inside 3 pixels of it
    const CRect rcCell(rcItem.right - 3 - 16, rcItem.top + 3, rcItem.right - 3, rcItem.bottom - 3);
    const COLORREF clrFace = dc.GetPixel(rcCell.left, rcCell.top);
    const int nFace = GetRValue(clrFace) + GetGValue(clrFace) + GetBValue(clrFace);
    std::vector<std::string> rows;
    for (int y = rcCell.top; y < rcCell.bottom; y++)
    {
        std::string row;
        for (int x = rcCell.left; x < rcCell.right; x++)
        {
            const COLORREF clr = dc.GetPixel(x, y);
            const int n = GetRValue(clr) + GetGValue(clr) + GetBValue(clr);
            row += n < nFace - 150 ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

// Whether the inked rows form a right-pointing triangle: rows of 1, 2, ... k ... 2, 1
// pixels, all starting in one column, with k of at least 3 and nothing else inked.
bool IsRightTriangle(const std::vector<std::string>& rows, std::string& why)
{
    std::vector<std::pair<int, int>> runs;     // (first column, width) of each inked row
    size_t nFirst = rows.size();
    for (size_t y = 0; y < rows.size(); y++)
    {
        const size_t nStart = rows[y].find('#');
        if (nStart == std::string::npos)
            continue;
        const size_t nEnd = rows[y].find_last_of('#');
        if (rows[y].substr(nStart, nEnd - nStart + 1).find('.') != std::string::npos)
        {
            why = "row " + std::to_string(y) + " is broken: " + rows[y];
            return false;
        }
        if (runs.empty())
            nFirst = y;
        else if (nFirst + runs.size() != y)
        {
            why = "the inked rows are not one block";
            return false;
        }
        runs.push_back(std::make_pair((int)nStart, (int)(nEnd - nStart + 1)));
    }
    const int nRows = (int)runs.size();
    if (nRows < 5 || nRows % 2 == 0)
    {
        why = std::to_string(nRows) + " inked rows";
        return false;
    }
    for (int i = 0; i < nRows; i++)
    {
        const int nWant = std::min(i, nRows - 1 - i) + 1;
        if (runs[i].first != runs[0].first || runs[i].second != nWant)
        {
            why = "row " + std::to_string(i) + " of the shape has " + std::to_string(runs[i].second)
                + " pixels from column " + std::to_string(runs[i].first);
            return false;
        }
    }
    return true;
}

} // namespace

TEST(SubMenuArrow, TrackedPopupDrawsASolidTriangleInBothLooks)
{
    CPopupTestReceiver receiver;
    for (int nLook = 0; nLook < 2; nLook++)
    {
        CInstalledLook look(nLook == 1);
        CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
        ASSERT_TRUE(pMenu->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
        ASSERT_TRUE(pMenu->StartTracking(kNoAnim | kShowAll, 300, 100));
        ASSERT_TRUE(PopupPumpUntil([pMenu] {
            return pMenu->GetSafeHwnd() != NULL && pMenu->IsWindowVisible()
                && g_TrackingSite.m_pWndAnimation == NULL;
        }));

        int nMore = -1;
        for (int i = 0; i < pMenu->GetItemCount() && nMore < 0; i++)
            if (pMenu->GetItemAt(i).IsPopup())
                nMore = i;
        ASSERT_GE(nMore, 0);
        EXPECT_STREQ(_T("&More"), pMenu->GetItemText(nMore));
        CRect rcItem;
        pMenu->GetItemRect(nMore, rcItem, false);
        ASSERT_GT(rcItem.Height(), 10);

        CRect rcClient;
        pMenu->GetClientRect(&rcClient);
        CPixelCanvas canvas(rcClient.Width(), rcClient.Height());
        pMenu->ReleaseScreenUnder();
        pMenu->m_shadowPopup.Destroy();
        pMenu->PaintContent(canvas.DC(), false);
        ::GdiFlush();

        const std::vector<std::string> rows = ArrowCell(canvas.DC(), rcItem);
        std::string why;
        std::string picture;
        for (const std::string& row : rows)
            picture += row + "\n";
        EXPECT_TRUE(IsRightTriangle(rows, why)) << (nLook == 1 ? "flat" : "classic") << " look: " << why << "\n"
                                                << picture;
        // an item without a sub-menu has no arrow
        CRect rcPlain;
        pMenu->GetItemRect(0, rcPlain, false);
        const std::vector<std::string> plain = ArrowCell(canvas.DC(), rcPlain);
        for (const std::string& row : plain)
            EXPECT_EQ(std::string::npos, row.find('#')) << row;

        CExtPopupMenuWnd::CancelTracking();
        PopupPumpFor(30);
    }
}
