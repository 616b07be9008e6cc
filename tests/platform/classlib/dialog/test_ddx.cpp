// Data exchange and validation functions, one field at a time, on a modeless
// dialog.

#include "dlgtest.h"
#include "test_support.h"
#include <float.h>

namespace
{

class DDX : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_FIELDS, &m_host));
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
    }

    // Saves the edit's text through the exchange; the message shown, or "".
    template <class T>
    CString Save(LPCTSTR lpszText, T& value)
    {
        m_dlg.SetDlgItemText(IDC_FIELD_EDIT, lpszText);
        m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_FIELD_EDIT, value); };
        CMessageBoxRecorder boxes;
        m_bSaved = m_dlg.UpdateData(TRUE);
        return boxes.GetCount() > 0 ? boxes.GetCall(0).m_strText : CString();
    }

    template <class T>
    CString Load(T value)
    {
        m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_FIELD_EDIT, value); };
        EXPECT_TRUE(m_dlg.UpdateData(FALSE));
        return ControlText(&m_dlg, IDC_FIELD_EDIT);
    }

    CHostWnd m_host;
    CTestDialog m_dlg{IDD_FIELDS};
    BOOL m_bSaved = FALSE;
};

} // namespace

TEST_F(DDX, IntegersAcceptWholeNumbersWithinTheirType)
{
    int n = 5;
    EXPECT_STREQ("", Save("  -17 ", n));
    EXPECT_TRUE(m_bSaved);
    EXPECT_EQ(-17, n);
    EXPECT_STREQ("", Save("-2147483648", n));
    EXPECT_EQ(INT_MIN, n);
    EXPECT_STREQ("Please enter an integer.", Save("2147483648", n));
    EXPECT_FALSE(m_bSaved);
    EXPECT_EQ(INT_MIN, n);     // a failed save keeps the member
    EXPECT_STREQ("Please enter an integer.", Save("4 2", n));
    EXPECT_STREQ("Please enter an integer.", Save("", n));
    EXPECT_STREQ("Please enter an integer.", Save("0x10", n));

    short s = 0;
    EXPECT_STREQ("Please enter an integer.", Save("40000", s));
    EXPECT_STREQ("", Save("-32768", s));
    EXPECT_EQ(-32768, s);

    UINT u = 0;
    EXPECT_STREQ("Please enter a positive integer.", Save("-1", u));
    EXPECT_STREQ("", Save("4294967295", u));
    EXPECT_EQ(4294967295u, u);

    BYTE b = 0;
    EXPECT_STREQ("Please enter an integer between 0 and 255.", Save("256", b));
    EXPECT_STREQ("", Save("255", b));
    EXPECT_EQ(255, b);

    LONGLONG ll = 0;
    EXPECT_STREQ("", Save("-9223372036854775808", ll));
    EXPECT_EQ(LLONG_MIN, ll);
}

TEST_F(DDX, NumbersAreWrittenBack)
{
    EXPECT_STREQ("-17", Load(-17));
    EXPECT_STREQ("4294967295", Load(4294967295u));
    EXPECT_STREQ("0.14", Load(0.14f));
    EXPECT_STREQ("0.1", Load(0.1));
    EXPECT_STREQ("123456789012", Load(123456789012.0));
    EXPECT_STREQ("-9223372036854775808", Load(LLONG_MIN));
}

TEST_F(DDX, RealNumbersRejectTextThatIsNoNumber)
{
    double d = 1;
    EXPECT_STREQ("", Save("2.5", d));
    EXPECT_DOUBLE_EQ(2.5, d);
    EXPECT_STREQ("", Save(".5", d));
    EXPECT_DOUBLE_EQ(0.5, d);
    EXPECT_STREQ("", Save("-3.", d));
    EXPECT_DOUBLE_EQ(-3.0, d);
    EXPECT_STREQ("", Save(" 1E3 ", d));
    EXPECT_DOUBLE_EQ(1000.0, d);
    EXPECT_STREQ("Please enter a number.", Save("1.5x", d));
    EXPECT_STREQ("Please enter a number.", Save("inf", d));
    EXPECT_STREQ("Please enter a number.", Save("1e400", d));
    EXPECT_STREQ("Please enter a number.", Save("", d));
    EXPECT_STREQ("Please enter a number.", Save("-", d));
    EXPECT_DOUBLE_EQ(1000.0, d);

    float f = 0;
    EXPECT_STREQ("", Save("0.19", f));
    EXPECT_FLOAT_EQ(0.19f, f);
    EXPECT_STREQ("Please enter a number.", Save("1e39", f));
}

TEST_F(DDX, TextGoesBothWaysUnchanged)
{
    CString str;
    EXPECT_STREQ("", Save("  spaces kept  ", str));
    EXPECT_STREQ("  spaces kept  ", str);
    EXPECT_STREQ("line", Load(CString("line")));

    char szBuffer[5];
    m_dlg.SetDlgItemText(IDC_FIELD_EDIT, "truncated");
    m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_FIELD_EDIT, szBuffer, sizeof(szBuffer)); };
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_STREQ("trun", szBuffer);
}

TEST_F(DDX, RangeChecksNameTheLimits)
{
    double d = 0;
    int n = 0;
    m_dlg.SetDlgItemText(IDC_FIELD_EDIT, "3");
    m_dlg.SetDlgItemText(IDC_FIELD_EDIT2, "-4");
    m_dlg.m_exchange = [&](CDataExchange* pDX)
    {
        DDX_Text(pDX, IDC_FIELD_EDIT, d);
        DDV_MinMaxDouble(pDX, d, 0.5, 2.5);
        DDX_Text(pDX, IDC_FIELD_EDIT2, n);
        DDV_MinMaxInt(pDX, n, -3, 3);
    };
    CMessageBoxRecorder boxes;
    EXPECT_FALSE(m_dlg.UpdateData(TRUE));
    m_dlg.SetDlgItemText(IDC_FIELD_EDIT, "2.5");
    EXPECT_FALSE(m_dlg.UpdateData(TRUE));
    m_dlg.SetDlgItemText(IDC_FIELD_EDIT2, "-3");
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_STREQ("Please enter a number between 0.5 and 2.5.", boxes.GetCall(0).m_strText);
    EXPECT_STREQ("Please enter an integer between -3 and 3.", boxes.GetCall(1).m_strText);
    EXPECT_EQ(-3, n);
    // loading never validates
    n = 99;
    EXPECT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_EQ(2, boxes.GetCount());
}

TEST_F(DDX, ComboAndListBoxesExchangeTextsAndIndexes)
{
    CComboBox* pCombo = (CComboBox*)m_dlg.GetDlgItem(IDC_FIELD_COMBO);
    CComboBox* pDropList = (CComboBox*)m_dlg.GetDlgItem(IDC_FIELD_DROPLIST);
    CListBox* pList = (CListBox*)m_dlg.GetDlgItem(IDC_FIELD_LIST);
    for (LPCTSTR psz : { "Inch", "Inches", "cm" })
    {
        pCombo->AddString(psz);
        pDropList->AddString(psz);
        pList->AddString(psz);
    }

    CString strCombo = "Inches", strDropList = "inch", strExact = "Inch", strList = "cm";
    int nList = -1;
    m_dlg.m_exchange = [&](CDataExchange* pDX)
    {
        DDX_CBString(pDX, IDC_FIELD_COMBO, strCombo);
        DDX_CBStringExact(pDX, IDC_FIELD_DROPLIST, strDropList);
        DDX_LBString(pDX, IDC_FIELD_LIST, strList);
        DDX_LBIndex(pDX, IDC_FIELD_LIST, nList);
    };
    // DDX_LBIndex runs last and wins: no selection in the list box
    ASSERT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_EQ(1, pCombo->GetCurSel());
    EXPECT_EQ(0, pDropList->GetCurSel());     // "inch" matches "Inch" exactly, ignoring case
    EXPECT_EQ(-1, pList->GetCurSel());

    pList->SetCurSel(2);
    pDropList->SetCurSel(1);
    pCombo->SetWindowText("typed");
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_STREQ("typed", strCombo);
    EXPECT_STREQ("Inches", strDropList);
    EXPECT_STREQ("cm", strList);
    EXPECT_EQ(2, nList);

    // a text no item starts with stays in the edit of a combo box
    strCombo = "metre";
    strExact = "In";
    m_dlg.m_exchange = [&](CDataExchange* pDX)
    {
        DDX_CBString(pDX, IDC_FIELD_COMBO, strCombo);
        DDX_CBStringExact(pDX, IDC_FIELD_DROPLIST, strExact);
    };
    ASSERT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_STREQ("metre", ControlText(&m_dlg, IDC_FIELD_COMBO));
    EXPECT_EQ(1, pDropList->GetCurSel());     // no exact match: the selection stays
}

TEST_F(DDX, SliderTakesItsRangeFromTheValidation)
{
    int nPos = 40;
    m_dlg.m_exchange = [&](CDataExchange* pDX)
    {
        DDX_Slider(pDX, IDC_FIELD_SLIDER, nPos);
        DDV_MinMaxSlider(pDX, (DWORD)nPos, 10, 60);
    };
    ASSERT_TRUE(m_dlg.UpdateData(FALSE));
    CSliderCtrl* pSlider = (CSliderCtrl*)m_dlg.GetDlgItem(IDC_FIELD_SLIDER);
    EXPECT_EQ(10, pSlider->GetRangeMin());
    EXPECT_EQ(60, pSlider->GetRangeMax());
    EXPECT_EQ(40, pSlider->GetPos());
    pSlider->SetPos(55);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(55, nPos);
}

TEST_F(DDX, MissingControlIsAProgrammingError)
{
    int n = 0;
    m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, 4444, n); };
    bool bThrown = false;
    try
    {
        m_dlg.UpdateData(FALSE);
    }
    catch (CNotSupportedException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    // the exchange left no lock-out behind: notifications reach the dialog again
    EXPECT_EQ(NULL, AfxGetThreadState()->m_hLockoutNotifyWindow);
}

TEST(DlgInit, DamagedRecordsStopTheDataWithoutReadingBeyondIt)
{
    CHostWnd host;
    CTestDialog dlg(IDD_FIELDS);
    ASSERT_TRUE(dlg.Create(IDD_FIELDS, &host));
    // one good record, then one whose length runs past the end
    BYTE data[] = {
        LOBYTE(IDC_FIELD_COMBO), HIBYTE(IDC_FIELD_COMBO), 0x03, 0x04, 3, 0, 0, 0, 'a', 'b', 0,
        LOBYTE(IDC_FIELD_COMBO), HIBYTE(IDC_FIELD_COMBO), 0x03, 0x04, 200, 0, 0, 0, 'x', 'y'
    };
    EXPECT_TRUE(AfxExecuteDlgInit(&dlg, data, sizeof(data)));
    CComboBox* pCombo = (CComboBox*)dlg.GetDlgItem(IDC_FIELD_COMBO);
    ASSERT_EQ(1, pCombo->GetCount());
    CString strItem;
    pCombo->GetLBText(0, strItem);
    EXPECT_STREQ("ab", strItem);
    // a record for a control the dialog lacks is passed over
    BYTE missing[] = { 0x10, 0x27, 0x03, 0x04, 2, 0, 0, 0, 'q', 0,
                       LOBYTE(IDC_FIELD_COMBO), HIBYTE(IDC_FIELD_COMBO), 0x03, 0x04, 2, 0, 0, 0, 'z', 0, 0, 0 };
    EXPECT_TRUE(AfxExecuteDlgInit(&dlg, missing, sizeof(missing)));
    EXPECT_EQ(2, pCombo->GetCount());
    dlg.DestroyWindow();
}

TEST_F(DDX, NumberFromADropDownListIsItsSelectedItem)
{
    CComboBox* pDropList = (CComboBox*)m_dlg.GetDlgItem(IDC_FIELD_DROPLIST);
    for (LPCTSTR psz : { "100", "200", "300" })
        pDropList->AddString(psz);
    int nDpi = 0;
    m_dlg.m_exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_FIELD_DROPLIST, nDpi); };
    pDropList->SetCurSel(2);
    ASSERT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(300, nDpi);

    // nothing selected: the number cannot be read
    pDropList->SetCurSel(-1);
    CMessageBoxRecorder boxes;
    EXPECT_FALSE(m_dlg.UpdateData(TRUE));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ("Please enter an integer.", boxes.GetCall(0).m_strText);
    EXPECT_EQ(300, nDpi);
}
