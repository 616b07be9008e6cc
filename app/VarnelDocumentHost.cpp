// VarnelDocumentHost.cpp - CVarnelDocumentHost.

#include "VarnelDocumentHost.h"
#include "BmpDialog.h"
#include "TipDlg.h"
#include "VarnelApp.h"
#include "VarnelView.h"
#include "model/VarnelDoc.h"
#include "output/NewCardWizard.h"
#include "afxdlgs.h"

namespace
{
// Open dialog: resizable, file must exist, read-only box hidden, overwrite prompt.
const DWORD kPictureDialogFlags = OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
const char kLabelFilter[] = "Label Files (*.labf)|*.labf; |All Files (*.*)|*.*|";
const char kLabelExtension[] = "labf";
// Save dialog: resizable, read-only box hidden, overwrite prompt. A name that does not
// exist yet must be accepted, so the file-must-exist flag of the Open dialogs is left out.
const DWORD kSaveDialogFlags = OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
}

CVarnelDocumentHost::CVarnelDocumentHost(CVarnelApp* pApp) : m_pApp(pApp)
{
}

BOOL CVarnelDocumentHost::RunNewPublicationWizard(CNewPublicationChoice& choice)
{
    CNewCardWizard wizard;
    if (wizard.DoModal() != IDOK)
        return FALSE;
    choice.m_strTemplatePath = wizard.m_strTemplatePath;
    choice.m_strBackgroundPath = wizard.m_strBackgroundPath;
    choice.m_nWidth = wizard.m_nWidth;
    choice.m_nHeight = wizard.m_nHeight;
    choice.m_nPublicationType = wizard.m_nPubType;
    choice.m_bBlankDesign = wizard.m_bBlankDesign;
    return TRUE;
}

BOOL CVarnelDocumentHost::ShowTipOfTheDay()
{
    CTipOfTheDayDlg dlg;
    dlg.DoModal();
    return dlg.m_bShowTip;
}

// The picture Open dialog with the preview panel below it.
CString CVarnelDocumentHost::ChoosePictureFile(LPCSTR pszFilter, const CString& strFolder)
{
    return ChoosePictureWithPreview(pszFilter, kPictureDialogFlags, strFolder);
}

CString CVarnelDocumentHost::ChooseSavePath(const CString& strName, const CString& strFolder)
{
    CFileDialog dlg(FALSE, kLabelExtension, strName, kSaveDialogFlags, kLabelFilter);
    dlg.m_ofn.nFilterIndex = 1;
    dlg.m_ofn.lpstrInitialDir = strFolder;
    if (dlg.DoModal() != IDOK)
        return CString();
    return dlg.GetPathName();
}

CString* CVarnelDocumentHost::FolderOf(HostFolder folder)
{
    switch (folder)
    {
    case HOST_FOLDER_GRAPHICS:
        return &m_pApp->m_strGraphicsFolder;
    case HOST_FOLDER_BACKGROUNDS:
        return &m_pApp->m_strBackgroundsFolder;
    case HOST_FOLDER_DOCUMENTS:
        return &m_pApp->m_strMyDocumentsFolder;
    }
    return NULL;
}

CString CVarnelDocumentHost::GetFolder(HostFolder folder)
{
    const CString* pFolder = FolderOf(folder);
    return pFolder != NULL ? *pFolder : CString();
}

void CVarnelDocumentHost::SetFolder(HostFolder folder, const CString& strPath)
{
    if (CString* pFolder = FolderOf(folder))
        *pFolder = CVarnelApp::FolderOfFile(strPath);
}

// The data-source dialog of the first design view; nothing without one.
void CVarnelDocumentHost::ChooseDataSource(CVarnelDoc* pDoc)
{
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = pDoc->GetNextView(pos);
        if (pView->IsKindOf(RUNTIME_CLASS(CVarnelView)))
        {
            static_cast<CVarnelView*>(pView)->SetDatabase();
            return;
        }
    }
}
