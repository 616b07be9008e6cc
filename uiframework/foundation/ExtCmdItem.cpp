// ExtCmdItem.cpp - texts, states, usage and delivery of one command.

#include "stdafx.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtCmdIcon.h"
#include "ExtResourceManager.h"

/////////////////////////////////////////////////////////////////////////////
// CExtCmdItem

CExtCmdItem::CExtCmdItem(UINT nCmdID)
    : m_pProfile(NULL), m_nCmdID(nCmdID), m_nIconIndex(-1), m_dwStateFlags(0),
      m_nReserved0(0), m_nReserved1(100), m_nReserved2(-2), m_nReserved3(250),
      m_nUsageCount(0)
{
}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other)
    : m_pProfile(NULL), m_nCmdID(0), m_nIconIndex(-1), m_dwStateFlags(0),
      m_nReserved0(0), m_nReserved1(100), m_nReserved2(-2), m_nReserved3(250),
      m_nUsageCount(0)
{
    AssignFrom(other);
}

CExtCmdItem::~CExtCmdItem()
{
}

// Copies every field of another command, its profile, usage count and reserved values included.
void CExtCmdItem::AssignFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    m_pProfile = other.m_pProfile;
    m_nCmdID = other.m_nCmdID;
    m_nIconIndex = other.m_nIconIndex;
    m_dwStateFlags = other.m_dwStateFlags;
    m_strMenuText = other.m_strMenuText;
    m_strAltText = other.m_strAltText;
    m_strTipText = other.m_strTipText;
    m_strStatusTipText = other.m_strStatusTipText;
    m_strAccelText = other.m_strAccelText;
    m_nReserved0 = other.m_nReserved0;
    m_nReserved1 = other.m_nReserved1;
    m_nReserved2 = other.m_nReserved2;
    m_nReserved3 = other.m_nReserved3;
    m_nUsageCount = other.m_nUsageCount;
}

// Takes the other command's icon and texts where it has them; what it lacks stays as it is.
void CExtCmdItem::MergeFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    if (other.m_nIconIndex >= 0)
        m_nIconIndex = other.m_nIconIndex;
    if (!other.m_strMenuText.IsEmpty())
        m_strMenuText = other.m_strMenuText;
    if (!other.m_strAltText.IsEmpty())
        m_strAltText = other.m_strAltText;
    if (!other.m_strTipText.IsEmpty())
        m_strTipText = other.m_strTipText;
    if (!other.m_strStatusTipText.IsEmpty())
        m_strStatusTipText = other.m_strStatusTipText;
    if (!other.m_strAccelText.IsEmpty())
        m_strAccelText = other.m_strAccelText;
}

// Takes the other command's icon and texts only where this one has none (the alternative text
// stays as it is).
void CExtCmdItem::FillEmptyFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    if (m_nIconIndex < 0)
        m_nIconIndex = other.m_nIconIndex;
    if (m_strMenuText.IsEmpty())
        m_strMenuText = other.m_strMenuText;
    if (m_strTipText.IsEmpty())
        m_strTipText = other.m_strTipText;
    if (m_strStatusTipText.IsEmpty())
        m_strStatusTipText = other.m_strStatusTipText;
    if (m_strAccelText.IsEmpty())
        m_strAccelText = other.m_strAccelText;
}

// Halves every count of the owner when its total nears the 32-bit limit.
void CExtCmdItem::CheckUsageOverflow()
{
    if (m_pProfile == NULL || m_pProfile->m_nTotalUsage < 0xFFFFFFFEu)
        return;
    m_pProfile->m_nTotalUsage >>= 1;
    POSITION pos = m_pProfile->m_mapCmds.GetStartPosition();
    while (pos != NULL)
    {
        UINT nID = 0;
        CExtCmdItem* pItem = NULL;
        m_pProfile->m_mapCmds.GetNextAssoc(pos, nID, pItem);
        if (pItem != NULL)
            pItem->m_nUsageCount >>= 1;
    }
}

void CExtCmdItem::ResetTipTexts()
{
    m_strTipText.Empty();
    m_strStatusTipText.Empty();
}

// "status prompt\ntip" fills both texts; a text without a newline only the status tip.
bool CExtCmdItem::LoadTextsFromResource()
{
    ResetTipTexts();
    if ((INT)m_nCmdID <= 0)
        return false;
    CString strText;
    if (!g_ResourceManagerHolder.GetManager()->LoadString(strText, m_nCmdID))
        return false;
    strText.Replace('\t', ' ');
    strText.Remove('\r');
    strText.TrimLeft();
    strText.TrimRight();
    if (strText.IsEmpty())
        return false;
    int nNewLine = strText.ReverseFind('\n');
    if (nNewLine >= 0)
    {
        m_strTipText = strText.Mid(nNewLine + 1);
        m_strTipText.TrimLeft();
        m_strTipText.TrimRight();
        m_strStatusTipText = strText.Left(nNewLine);
        m_strStatusTipText.TrimLeft();
        m_strStatusTipText.TrimRight();
    }
    else
        m_strStatusTipText = strText;
    return true;
}

void CExtCmdItem::SetStateBits(DWORD dwBits, bool bOn)
{
    m_dwStateFlags &= ~dwBits;
    if (bOn)
        m_dwStateFlags |= dwBits;
}

void CExtCmdItem::SetGroupBits(DWORD dwValue, bool bOn)
{
    m_dwStateFlags &= ~(DWORD)STATE_GROUP_MASK;
    if (bOn)
        m_dwStateFlags |= dwValue;
}

void CExtCmdItem::SetBasic(bool bOn)
{
    SetStateBits(STATE_BASICCMDPROP, bOn);
}

bool CExtCmdItem::IsBasic() const
{
    if (CExtCmdManager::IsHostGeneratedCommand(m_nCmdID))
        return true;
    return GetStateBits(STATE_BASICCMDPROP);
}

bool CExtCmdItem::IsRarelyUsed() const
{
    if (IsBasic())
        return false;
    return GetUsagePercent() < GetProfileRarelyUsedPercent();
}

void CExtCmdItem::SetExcludedFromUsage(bool bOn)
{
    SetStateBits(STATE_FORCE_RARELY, bOn);
}

bool CExtCmdItem::IsExcludedFromUsage() const
{
    if (CExtCmdManager::IsHostGeneratedCommand(m_nCmdID))
        return false;
    return GetStateBits(STATE_FORCE_RARELY);
}

void CExtCmdItem::Enable(bool bOn)
{
    SetStateBits(STATE_DISABLED, !bOn);
}

bool CExtCmdItem::IsEnabled() const
{
    return !GetStateBits(STATE_DISABLED);
}

void CExtCmdItem::SetCheck(bool bOn)
{
    m_dwStateFlags &= ~(DWORD)STATE_MARKS;
    if (bOn)
        m_dwStateFlags |= STATE_CHECK;
}

bool CExtCmdItem::IsChecked() const
{
    return GetStateBits(STATE_CHECK);
}

void CExtCmdItem::SetRadio(bool bOn)
{
    m_dwStateFlags &= ~(DWORD)STATE_MARKS;
    if (bOn)
        m_dwStateFlags |= STATE_RADIO;
}

bool CExtCmdItem::IsRadio() const
{
    return GetStateBits(STATE_RADIO);
}

void CExtCmdItem::SetIndeterminate(bool bOn)
{
    m_dwStateFlags &= ~(DWORD)STATE_MARKS;
    if (bOn)
        m_dwStateFlags |= STATE_INDETERMINATE;
}

bool CExtCmdItem::IsIndeterminate() const
{
    return GetStateBits(STATE_INDETERMINATE);
}

void CExtCmdItem::SetPopupCommand(bool bOn)
{
    SetStateBits(STATE_POPUP_COMMAND, bOn);
}

bool CExtCmdItem::IsPopupCommand() const
{
    return GetStateBits(STATE_POPUP_COMMAND);
}

void CExtCmdItem::SetStateBit7(bool bOn) { SetStateBits(0x80, bOn); }
bool CExtCmdItem::GetStateBit7() const { return GetStateBits(0x80); }
void CExtCmdItem::SetStateBit8(bool bOn) { SetStateBits(0x100, bOn); }
bool CExtCmdItem::GetStateBit8() const { return GetStateBits(0x100); }
void CExtCmdItem::SetStateBit9(bool bOn) { SetStateBits(0x200, bOn); }
bool CExtCmdItem::GetStateBit9() const { return GetStateBits(0x200); }
void CExtCmdItem::SetStateBit10(bool bOn) { SetGroupBits(STATE_GROUP_A, bOn); }
bool CExtCmdItem::GetStateBit10() const { return GetStateBits(STATE_GROUP_A); }
void CExtCmdItem::SetStateBit11(bool bOn) { SetStateBits(0x800, bOn); }
bool CExtCmdItem::GetStateBit11() const { return GetStateBits(0x800); }
void CExtCmdItem::SetStateBits10And12(bool bOn) { SetGroupBits(STATE_GROUP_B, bOn); }
bool CExtCmdItem::GetStateBits10And12() const { return GetStateBits(STATE_GROUP_B); }
void CExtCmdItem::SetStateBits10And28(bool bOn) { SetGroupBits(STATE_GROUP_C, bOn); }
bool CExtCmdItem::GetStateBits10And28() const { return GetStateBits(STATE_GROUP_C); }
void CExtCmdItem::SetStateBit13(bool bOn) { SetStateBits(0x2000, bOn); }
bool CExtCmdItem::GetStateBit13() const { return GetStateBits(0x2000); }
void CExtCmdItem::SetStateBit14(bool bOn) { SetStateBits(0x4000, bOn); }
bool CExtCmdItem::GetStateBit14() const { return GetStateBits(0x4000); }
void CExtCmdItem::SetStateBit29(bool bOn) { SetStateBits(0x20000000, bOn); }
bool CExtCmdItem::GetStateBit29() const { return GetStateBits(0x20000000); }
void CExtCmdItem::SetStateBit15(bool bOn) { SetStateBits(0x8000, bOn); }
bool CExtCmdItem::GetStateBit15() const { return GetStateBits(0x8000); }
void CExtCmdItem::SetStateBit16(bool bOn) { SetStateBits(0x10000, bOn); }
bool CExtCmdItem::GetStateBit16() const { return GetStateBits(0x10000); }
void CExtCmdItem::SetStateBit17(bool bOn) { SetStateBits(0x20000, bOn); }
bool CExtCmdItem::GetStateBit17() const { return GetStateBits(0x20000); }
void CExtCmdItem::SetStateBit18(bool bOn) { SetStateBits(0x40000, bOn); }
bool CExtCmdItem::GetStateBit18() const { return GetStateBits(0x40000); }
void CExtCmdItem::SetStateBit19(bool bOn) { SetStateBits(0x80000, bOn); }
bool CExtCmdItem::GetStateBit19() const { return GetStateBits(0x80000); }
void CExtCmdItem::SetStateBit20(bool bOn) { SetStateBits(0x100000, bOn); }
bool CExtCmdItem::GetStateBit20() const { return GetStateBits(0x100000); }
void CExtCmdItem::SetStateBit21(bool bOn) { SetStateBits(0x200000, bOn); }
bool CExtCmdItem::GetStateBit21() const { return GetStateBits(0x200000); }

// System commands and MDI window commands are enabled without asking the handlers.
bool CExtCmdItem::UpdateCmdUI(CCmdTarget* pTarget, UINT nIndex)
{
    CExtCmdItemUI cmdUI(this);
    cmdUI.m_nID = m_nCmdID;
    cmdUI.m_nIndex = nIndex;
    cmdUI.m_nIndexMax = 0;
    cmdUI.m_pOther = NULL;
    if (CExtCmdManager::IsSystemCommand(m_nCmdID) || CExtCmdManager::IsMdiWindowCommand(m_nCmdID))
    {
        cmdUI.m_bEnableChanged = TRUE;
        Enable(true);
        return true;
    }
    if (pTarget == NULL)
        return false;
    return cmdUI.DoUpdate(pTarget, CExtCmdManager::g_bDisableCmdIfNoHandler) != FALSE;
}

bool CExtCmdItem::DeliverToOwnerOf(CWnd* pWnd, bool bSend)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return false;
    CWnd* pOwner = pWnd->GetOwner();
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return false;
    return Deliver(pOwner->GetSafeHwnd(), bSend);
}

bool CExtCmdItem::DeliverToWnd(CWnd* pWnd, bool bSend)
{
    return Deliver(pWnd->GetSafeHwnd(), bSend);
}

// Sends or posts the command to the window (a system command as WM_SYSCOMMAND at the cursor) and
// counts its use; answers the send's result or whether the post went out.
bool CExtCmdItem::Deliver(HWND hWnd, bool bSend)
{
    if (hWnd == NULL)
        return false;
    RecordUsage();
    UINT nMessage = WM_COMMAND;
    LPARAM lParam = 0;
    if (CExtCmdManager::IsSystemCommand(m_nCmdID))
    {
        nMessage = WM_SYSCOMMAND;
        POINT pt = { 0, 0 };
        ::GetCursorPos(&pt);
        lParam = MAKELPARAM(pt.x, pt.y);
    }
    if (bSend)
        return ::SendMessageA(hWnd, nMessage, (WPARAM)m_nCmdID, lParam) != 0;
    return ::PostMessageA(hWnd, nMessage, (WPARAM)m_nCmdID, lParam) != FALSE;
}

UINT CExtCmdItem::GetUsageCount() const
{
    return m_nUsageCount;
}

// Computed in 64 bits so that large counts do not wrap.
UINT CExtCmdItem::GetUsagePercent() const
{
    UINT nTotal = GetProfileTotalUsage();
    if (nTotal == 0)
        return 0;
    return (UINT)(((ULONGLONG)m_nUsageCount * 100u) / nTotal);
}

void CExtCmdItem::RecordUsage()
{
    if (IsBasic() || IsExcludedFromUsage())
        return;
    m_nUsageCount++;
    if (m_pProfile != NULL)
    {
        m_pProfile->m_nTotalUsage++;
        CheckUsageOverflow();
    }
}

void CExtCmdItem::ResetUsage()
{
    if (IsBasic() || IsExcludedFromUsage())
        return;
    m_nUsageCount = 0;
}

UINT CExtCmdItem::GetProfileTotalUsage() const
{
    return (m_pProfile != NULL) ? m_pProfile->m_nTotalUsage : 0;
}

UINT CExtCmdItem::GetProfileRarelyUsedPercent() const
{
    return (m_pProfile != NULL) ? m_pProfile->m_nRarelyUsedPercent : 10;
}

void CExtCmdItem::SetProfileRarelyUsedPercent(UINT nPercent)
{
    if (m_pProfile != NULL)
        m_pProfile->m_nRarelyUsedPercent = (nPercent > 100) ? 100 : nPercent;
}

void CExtCmdItem::OnSysColorChange()
{
    CExtCmdIcon* pIcon = (m_pProfile != NULL) ? m_pProfile->FindCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->SyncWithPaintManager();
}

void CExtCmdItem::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CExtCmdIcon* pIcon = (m_pProfile != NULL) ? m_pProfile->FindCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdItem::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY)
{
    CExtCmdIcon* pIcon = (m_pProfile != NULL) ? m_pProfile->FindCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
}

void CExtCmdItem::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    CExtCmdIcon* pIcon = (m_pProfile != NULL) ? m_pProfile->FindCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->OnThemeChanged(wParam, lParam);
}

CString CExtCmdItem::GetDisplayText() const
{
    CString strText;
    BuildDisplayText(strText);
    return strText;
}

void CExtCmdItem::BuildDisplayText(CString& strOut) const
{
    if (!m_strMenuText.IsEmpty())
        strOut = m_strMenuText;
    else if (!m_strTipText.IsEmpty())
        strOut = m_strTipText;
    else
        strOut = m_strAltText;
}

void CExtCmdItem::GetStatusTipText(CString& strOut) const
{
    strOut = m_strStatusTipText;
}

// Commands whose usage counts the statistics stream keeps.
bool CExtCmdItem::IsRecentlyUsed() const
{
    if (IsBasic() || IsExcludedFromUsage() || IsPopupCommand())
        return false;
    return !CExtCmdManager::IsSystemCommand(m_nCmdID) && m_nUsageCount > 0;
}

/////////////////////////////////////////////////////////////////////////////
// CExtCmdItemUI

CExtCmdItemUI::CExtCmdItemUI(CExtCmdItem* pCmdItem)
    : m_pCmdItem(pCmdItem)
{
}

void CExtCmdItemUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    m_pCmdItem->Enable(bOn != FALSE);
}

void CExtCmdItemUI::SetCheck(int nCheck)
{
    if (nCheck == 0 || nCheck == 1)
        m_pCmdItem->SetCheck(nCheck != 0);
    else
        m_pCmdItem->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn)
{
    m_pCmdItem->SetRadio(bOn != FALSE);
}

void CExtCmdItemUI::SetText(LPCTSTR lpszText)
{
    m_pCmdItem->m_strMenuText = (lpszText != NULL) ? lpszText : _T("");
}
