// ExtCmdItem.h - one command of a command profile.
//
// Declares CExtCmdItem (texts, icon index, state bits and usage count of one command id)
// and CExtCmdItemUI (the command-update object that writes into an item).
//
// Notes
// - Items of a profile are created by CExtCmdProfile::CreateCommandCopy and owned by the
//   profile; temporary items on the stack serve as templates for CExtCmdProfile::SetCommand.
// - The item refers to its icon by index into the owner's icon array (-1 = none).
// - Host-generated ids (MDI windows, recent files, OLE verbs, system commands) always count
//   as basic and never as excluded from usage counting.

#pragma once

#include "afxwin.h"

class CExtCmdProfile;

// CExtCmdItem is what a profile knows about one command id.
class CExtCmdItem
{
public:
    // Bits of m_dwStateFlags
    enum
    {
        STATE_DISABLED = 0x00000001,
        STATE_CHECK = 0x00000002,
        STATE_RADIO = 0x00000004,
        STATE_INDETERMINATE = 0x00000008,
        STATE_BASICCMDPROP = 0x00000010,
        STATE_FORCE_RARELY = 0x00000020,    // excluded from usage counting
        STATE_POPUP_COMMAND = 0x00000040,
        STATE_MARKS = 0x0000000E,           // check, radio and indeterminate
        STATE_GROUP_MASK = 0x10001400,      // the three group values below
        STATE_GROUP_A = 0x00000400,
        STATE_GROUP_B = 0x00001400,
        STATE_GROUP_C = 0x10000400,
    };

    explicit CExtCmdItem(UINT nCmdID = 0);
    CExtCmdItem(const CExtCmdItem& other);
    CExtCmdItem& operator=(const CExtCmdItem& other) { AssignFrom(other); return *this; }

    // Copying between items
    virtual void AssignFrom(const CExtCmdItem& other);     // every field, owner and id included
    virtual void MergeFrom(const CExtCmdItem& other);      // icon index and non-empty texts
    virtual void CheckUsageOverflow();
    virtual ~CExtCmdItem();
    virtual void ResetTipTexts();
    // Tip and status tip from the string resource of the id.
    virtual bool LoadTextsFromResource();
    virtual void FillEmptyFrom(const CExtCmdItem& other);  // only where this item is empty

    // State bits
    virtual void SetBasic(bool bOn = true);
    virtual bool IsBasic() const;
    virtual bool IsRarelyUsed() const;
    virtual void SetExcludedFromUsage(bool bOn = true);
    virtual bool IsExcludedFromUsage() const;
    virtual void Enable(bool bOn = true);
    virtual bool IsEnabled() const;
    virtual void SetCheck(bool bOn = true);
    virtual bool IsChecked() const;
    virtual void SetRadio(bool bOn = true);
    virtual bool IsRadio() const;
    virtual void SetIndeterminate(bool bOn = true);
    virtual bool IsIndeterminate() const;
    virtual void SetPopupCommand(bool bOn = true);
    virtual bool IsPopupCommand() const;

    virtual void SetStateBit7(bool bOn = true);
    virtual bool GetStateBit7() const;
    virtual void SetStateBit8(bool bOn = true);
    virtual bool GetStateBit8() const;
    virtual void SetStateBit9(bool bOn = true);
    virtual bool GetStateBit9() const;
    virtual void SetStateBit10(bool bOn = true);
    virtual bool GetStateBit10() const;
    virtual void SetStateBit11(bool bOn = true);
    virtual bool GetStateBit11() const;
    virtual void SetStateBits10And12(bool bOn = true);
    virtual bool GetStateBits10And12() const;
    virtual void SetStateBits10And28(bool bOn = true);
    virtual bool GetStateBits10And28() const;
    virtual void SetStateBit13(bool bOn = true);
    virtual bool GetStateBit13() const;
    virtual void SetStateBit14(bool bOn = true);
    virtual bool GetStateBit14() const;
    virtual void SetStateBit29(bool bOn = true);
    virtual bool GetStateBit29() const;
    virtual void SetStateBit15(bool bOn = true);
    virtual bool GetStateBit15() const;
    virtual void SetStateBit16(bool bOn = true);
    virtual bool GetStateBit16() const;
    virtual void SetStateBit17(bool bOn = true);
    virtual bool GetStateBit17() const;
    virtual void SetStateBit18(bool bOn = true);
    virtual bool GetStateBit18() const;
    virtual void SetStateBit19(bool bOn = true);
    virtual bool GetStateBit19() const;
    virtual void SetStateBit20(bool bOn = true);
    virtual bool GetStateBit20() const;
    virtual void SetStateBit21(bool bOn = true);
    virtual bool GetStateBit21() const;

    // Command update and delivery
    // Runs the target's update handlers for the command; TRUE when a handler took it.
    virtual bool UpdateCmdUI(CCmdTarget* pTarget, UINT nIndex);
    // WM_COMMAND (WM_SYSCOMMAND for system commands) to the owner of pWnd.
    virtual bool DeliverToOwnerOf(CWnd* pWnd, bool bSend = true);
    virtual bool DeliverToWnd(CWnd* pWnd, bool bSend = true);
    // Records the use, then sends (bSend) or posts the command to hWnd.
    virtual bool Deliver(HWND hWnd, bool bSend = true);

    // Usage statistics
    virtual UINT GetUsageCount() const;
    virtual UINT GetUsagePercent() const;
    virtual void RecordUsage();
    virtual void ResetUsage();
    virtual UINT GetProfileTotalUsage() const;
    virtual UINT GetProfileRarelyUsedPercent() const;
    virtual void SetProfileRarelyUsedPercent(UINT nPercent);

    // System changes, passed to the item's icon
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    // Texts
    virtual CString GetDisplayText() const;
    virtual void BuildDisplayText(CString& strOut) const;  // menu, tip or toolbar text
    virtual void GetStatusTipText(CString& strOut) const;
    virtual bool IsRecentlyUsed() const;

    // Member variables
    CExtCmdProfile* m_pProfile;     // owning profile, not owned; NULL for templates
    UINT m_nCmdID;
    int m_nIconIndex;               // index into the owner's icon array, -1 = none
    DWORD m_dwStateFlags;           // STATE_* bits
    CString m_strMenuText;          // with its "&" mnemonic marker
    CString m_strAltText;           // toolbar button text
    CString m_strTipText;
    CString m_strStatusTipText;
    CString m_strAccelText;
    int m_nReserved0;               // copied with the item, not read: 0
    int m_nReserved1;               // 100
    int m_nReserved2;               // -2
    int m_nReserved3;               // 250
    UINT m_nUsageCount;             // times the command was delivered

private:
    void SetStateBits(DWORD dwBits, bool bOn);
    bool GetStateBits(DWORD dwBits) const { return (m_dwStateFlags & dwBits) == dwBits; }
    void SetGroupBits(DWORD dwValue, bool bOn);
};

// Command-update object that writes the update handlers' answers into an item.
class CExtCmdItemUI : public CCmdUI
{
public:
    explicit CExtCmdItemUI(CExtCmdItem* pCmdItem);

    virtual void Enable(BOOL bOn = TRUE) override;
    virtual void SetCheck(int nCheck = 1) override;
    virtual void SetRadio(BOOL bOn = TRUE) override;
    virtual void SetText(LPCTSTR lpszText) override;

    CExtCmdItem* m_pCmdItem;        // not owned
};
