// VarnelViewTemplate.cpp - Save As Template of the design view: the design is written as
// a template of its category into the Templates folder beside the program.

#include "VarnelView.h"
#include "VarnelApp.h"
#include "data/UnexpectedError.h"
#include "model/VarnelDoc.h"
#include "resources/resource.h"
#include "afxdlgs.h"

#include <objidl.h>
#include <gdiplus.h>

namespace
{
struct CTemplateKind
{
    LPCSTR pszExtension;
    LPCSTR pszFilter;
};

// By publication type: label, badge, envelope, postcard, letterhead, flyer, sign.
const CTemplateKind kTemplateKinds[] = {
    { ".lbft", "Label Templates(.lbft)|*.lbft|" },
    { ".bdgt", "Badge Templates(.bdgt)|*.bdgt|" },
    { ".enft", "Envelope Templates(.enft)|*.enft|" },
    { ".post", "Postcard Templates(.post)|*.post|" },
    { ".lhft", "Letterhead Templates(.lhft)|*.lhft|" },
    { ".flyt", "Flyer Templates(.flyt)|*.flyt|" },
    { ".sgnt", "Sign Templates(.sgnt)|*.sgnt|" },
};

const DWORD kTemplateDialogFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING;

// Asks whether the existing file strPath may be replaced.
int ConfirmReplace(const CString& strPath)
{
    CString strText;
    AfxFormatString1(strText, IDS_TEMPLATE_EXISTS, strPath);
    return AfxMessageBox(strText, MB_YESNO | MB_ICONEXCLAMATION);
}

// A type read from a damaged file counts as a label.
const CTemplateKind& TemplateKindOfType(int nPublicationType)
{
    if (nPublicationType < 0 || nPublicationType >= (int)_countof(kTemplateKinds))
        nPublicationType = 0;
    return kTemplateKinds[nPublicationType];
}
}

LPCSTR CVarnelView::GetTemplateExtension(int nPublicationType)
{
    return TemplateKindOfType(nPublicationType).pszExtension;
}

LPCSTR CVarnelView::GetTemplateFilter(int nPublicationType)
{
    return TemplateKindOfType(nPublicationType).pszFilter;
}

// The extension is what follows the last dot of the file name (not of a folder).
CString CVarnelView::AddTemplateExtension(const CString& strPath, int nPublicationType)
{
    const CString strExtension = GetTemplateExtension(nPublicationType);
    const int nBackslash = strPath.ReverseFind('\\');
    const int nSlash = strPath.ReverseFind('/');
    const int nNameStart = (nBackslash > nSlash ? nBackslash : nSlash) + 1;
    const int nDot = strPath.ReverseFind('.');
    if (nDot >= nNameStart)
    {
        CString strTyped = strPath.Mid(nDot + 1);
        strTyped.MakeLower();
        if (strTyped == strExtension.Mid(1))
            return strPath;
    }
    return strPath + strExtension;
}

// Saves the design as a template of its publication type, with the type's extension added; a file error is
// told naming the template.
void CVarnelView::OnFileSaveAsTemplate()
{
    CVarnelDoc* pDoc = GetDocument();
    CString strPath;
    try
    {
        const int nType = pDoc->m_nPublicationType;
        const CString strFolder = CVarnelApp::GetProgramFolder() + "\\Templates";

        CFileDialog dlg(FALSE, NULL, NULL, kTemplateDialogFlags, GetTemplateFilter(nType), this);
        dlg.m_ofn.lpstrInitialDir = strFolder;
        if (dlg.DoModal() != IDOK)
            return;

        const CString strChosen = dlg.GetPathName();
        strPath = AddTemplateExtension(strChosen, nType);
        // the dialog asked about the name it returned, not about the one with the extension
        if (strPath != strChosen && ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES &&
            ConfirmReplace(strPath) != IDYES)
            return;

        delete pDoc->SaveOrPreviewTemplate(strPath, CString(), FALSE);
    }
    catch (CException* e)
    {
        // A file error is told as saving a publication tells it, naming the template
        // rather than the temporary file it was written to.
        if (!strPath.IsEmpty() && e->IsKindOf(RUNTIME_CLASS(CFileException)))
        {
            char szFullPath[MAX_PATH];
            ((CFileException*)e)->m_strFileName = AfxFullPath(szFullPath, strPath) ? CString(szFullPath) : strPath;
            pDoc->ReportSaveLoadException(strPath, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        }
        else
        {
            ShowUnexpectedError();
        }
        e->Delete();
    }
    catch (...)
    {
        ShowUnexpectedError();
    }
}
