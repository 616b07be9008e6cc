// VarnelDocCommands.cpp - the Insert commands of the document and the update handlers of
// the commands that work on the design.

#include "VarnelDoc.h"
#include "Elements.h"
#include "DocumentHost.h"
#include "PictureLoad.h"
#include "FileLimits.h"
#include "data/UnexpectedError.h"
#include "resources/model_resource.h"
#include "resources/resource.h"

#include <objidl.h>
#include <gdiplus.h>

BEGIN_MESSAGE_MAP(CVarnelDoc, COleDocument)
    // Tools
    ON_COMMAND_EX(ID_TOOL_POINTER, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_RECTANGLE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_ELLIPSE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_DIAMOND, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_ROUNDRECT, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_TRIANGLE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_LINE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_FREEFORM, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_CLOSEDCURVE, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_CALLOUT_LEFT, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_CALLOUT_RIGHT, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_PARALLELOGRAM, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_ARROW_LEFT, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_STAR, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_BURST, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_MOON, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_ARROW_RIGHT, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_SUN, OnToolCommand)
    ON_COMMAND_EX(ID_TOOL_TEXT, OnToolCommand)
    ON_COMMAND(ID_INSERT_DBTEXT, OnInsertDbText)
    ON_COMMAND(ID_INSERT_CLIPART, OnInsertClipArt)
    ON_UPDATE_COMMAND_UI(ID_TOOL_POINTER, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_RECTANGLE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ELLIPSE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_DIAMOND, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ROUNDRECT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_TRIANGLE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_LINE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_FREEFORM, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CLOSEDCURVE, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CALLOUT_LEFT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_CALLOUT_RIGHT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_PARALLELOGRAM, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ARROW_LEFT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_STAR, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_BURST, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_MOON, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_ARROW_RIGHT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_SUN, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_TOOL_TEXT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_INSERT_DBTEXT, OnUpdateToolCommand)
    ON_UPDATE_COMMAND_UI(ID_INSERT_CLIPART, OnUpdateToolCommand)
    // Backgrounds
    ON_COMMAND(ID_EDIT_SELECT_BACKGROUND, OnSelectBackground)
    ON_COMMAND(ID_INSERT_BACKGROUND, OnSelectBackground)
    ON_COMMAND(ID_EDIT_REMOVE_BACKGROUND, OnRemoveBackground)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_BACKGROUND, OnUpdateSelectBackground)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REMOVE_BACKGROUND, OnUpdateRemoveBackground)
    // Commands of the design view
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_SELECTION, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DUPLICATE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL_ELEMENTS, OnUpdateNeedElements)
    ON_UPDATE_COMMAND_UI(ID_LOCK_ALL, OnUpdateNeedElements)
    ON_UPDATE_COMMAND_UI(ID_UNLOCK_ALL, OnUpdateNeedElements)
    ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_LEFT, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_RIGHT, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_CENTER, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_TOP, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_BOTTOM, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_ALIGN_MIDDLE, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_SAME_WIDTH, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_SAME_HEIGHT, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_SAME_SIZE, OnUpdateNeedTwoSelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PROPERTIES, OnUpdateNeedOneSelected)
    ON_UPDATE_COMMAND_UI(ID_ARRANGE_TO_FRONT, OnUpdateNeedOneSelected)
    ON_UPDATE_COMMAND_UI(ID_ARRANGE_TO_BACK, OnUpdateNeedOneSelected)
    ON_UPDATE_COMMAND_UI(ID_ARRANGE_STEP_FRONT, OnUpdateNeedOneSelected)
    ON_UPDATE_COMMAND_UI(ID_ARRANGE_STEP_BACK, OnUpdateNeedOneSelected)
    ON_UPDATE_COMMAND_UI(ID_LOCK, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_UNLOCK, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_CLOCKWISE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_ROTATE_ANTICLOCKWISE, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_CENTER_HORZ, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_CENTER_VERT, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_CENTER_BOTH, OnUpdateNeedSelection)
    ON_UPDATE_COMMAND_UI(ID_MERGE_DBTEXTS, OnUpdateMergeDbTexts)
END_MESSAGE_MAP()

namespace
{
struct CToolCommand
{
    UINT nID;
    WORD nTool;
};

const CToolCommand kToolCommands[] = {
    { ID_TOOL_POINTER, KIND_POINTER },
    { ID_TOOL_RECTANGLE, KIND_RECTANGLE },
    { ID_TOOL_ELLIPSE, KIND_CIRCLE },
    { ID_TOOL_DIAMOND, KIND_RHOMBUS },
    { ID_TOOL_ROUNDRECT, KIND_RECTROUND },
    { ID_TOOL_TRIANGLE, KIND_TRIANGLE },
    { ID_TOOL_LINE, KIND_LINE },
    { ID_TOOL_FREEFORM, KIND_FREEHAND },
    { ID_TOOL_CLOSEDCURVE, KIND_CLOSEDCURVE },
    { ID_TOOL_CALLOUT_LEFT, KIND_CALLOUT_BL },
    { ID_TOOL_CALLOUT_RIGHT, KIND_CALLOUT_BR },
    { ID_TOOL_PARALLELOGRAM, KIND_PARALLELOGRAM },
    { ID_TOOL_ARROW_LEFT, KIND_ARROW_LEFT },
    { ID_TOOL_STAR, KIND_STAR },
    { ID_TOOL_BURST, KIND_BURST },
    { ID_TOOL_MOON, KIND_MOON },
    { ID_TOOL_ARROW_RIGHT, KIND_ARROW_RIGHT },
    { ID_TOOL_SUN, KIND_SUN },
    { ID_TOOL_TEXT, KIND_TEXT },
    { ID_INSERT_DBTEXT, KIND_DBTEXT },
    { ID_INSERT_CLIPART, KIND_CLIPART },
};

const char kClipArtFilter[] =
    "All supported formats(jpg,bmp,gif,png,wmf,tif)|*.jpg; *.jpeg; *.bmp; *.gif; *.png; *.wmf; *.tif; "
    "|JPEG Files (*.jpg;*.jpeg)|*.jpg; *.jpeg|Bitmap Files (*.bmp)|*.bmp|Gif Files (*.gif)|*.gif"
    "|PNG Files (*.png)|*.png|Metafiles (*.wmf)|*.wmf|Tiff Files (*.tif)|*.tif||";
const char kBackgroundFilter[] =
    "All supported formats(jpg,bmp,gif,png,wmf,tif)|*.jpg; *.jpeg; *.bmp; *.gif; *.png; *.wmf*; *.tif; "
    "|JPEG Files (*.jpg;*.jpeg)|*.jpg; *.jpeg|Bitmap Files (*.bmp)|*.bmp|Gif Files (*.gif)|*.gif"
    "|PNG Files (*.png)|*.png|Metafiles (*.wmf)|*.wmf|Tiff Files (*.tif)|*.tif||";

// The extension behind the last point of the file name; empty when there is none.
CString PictureExtension(const CString& strPath)
{
    const int nSlash = strPath.ReverseFind('\\');
    const int nDot = strPath.ReverseFind('.');
    if (nDot < 0 || nDot < nSlash)
        return CString();
    return strPath.Mid(nDot + 1);
}

// The picture kinds that can be inserted, whatever the case of the extension.
BOOL IsSupportedPictureExtension(const CString& strExtension)
{
    static const char* const kExtensions[] = { "bmp", "jpg", "jpeg", "gif", "tif", "wmf", "png" };
    for (const char* pszExtension : kExtensions)
    {
        if (strExtension.CompareNoCase(pszExtension) == 0)
            return TRUE;
    }
    return FALSE;
}

void ReportUnsupportedPicture(const CString& strPath)
{
    CString strText;
    AfxFormatString1(strText, IDS_PICTURE_NOT_SUPPORTED, strPath);
    AfxMessageBox(strText, MB_ICONEXCLAMATION);
}

void ReportUnreadablePicture(const CString& strPath)
{
    CString strText;
    AfxFormatString1(strText, IDS_PICTURE_UNREADABLE, strPath);
    AfxMessageBox(strText, MB_ICONEXCLAMATION);
}

// Runs the host's picture Open dialog starting in the remembered folder; the chosen path,
// or empty on Cancel or without a host.
CString ChoosePictureFile(LPCSTR pszFilter, HostFolder folder)
{
    CDocumentHost* pHost = GetDocumentHost();
    if (pHost == NULL)
        return CString();
    return pHost->ChoosePictureFile(pszFilter, pHost->GetFolder(folder));
}

void RememberFolder(HostFolder folder, const CString& strPath)
{
    if (CDocumentHost* pHost = GetDocumentHost())
        pHost->SetFolder(folder, strPath);
}

// The picture of a supported file the user chose, loaded; NULL (the user told why) when
// the file is not a supported or readable picture.
Gdiplus::Bitmap* LoadChosenPicture(const CString& strPath)
{
    if (IsFileOverLimit(strPath, MAX_PICTURE_FILE_BYTES))
    {
        AfxMessageBox(FileTooLargeMessage(strPath, MAX_PICTURE_FILE_BYTES), MB_ICONEXCLAMATION);
        return NULL;
    }
    PictureSize refused = { 0, 0 };
    Gdiplus::Bitmap* pBitmap = LoadPictureFileChecked(strPath, &refused);
    if (pBitmap == NULL && refused.nWidth > 0)
        AfxMessageBox(PictureTooLargeMessage(strPath, refused.nWidth, refused.nHeight), MB_ICONEXCLAMATION);
    else if (pBitmap == NULL)
        ReportUnreadablePicture(strPath);
    return pBitmap;
}

// Keeps the tool at the pointer when the command ends, whatever way it ends.
class CPointerToolAtEnd
{
public:
    explicit CPointerToolAtEnd(WORD& nTool) : m_nTool(nTool) {}
    ~CPointerToolAtEnd() { m_nTool = KIND_POINTER; }
    CPointerToolAtEnd(const CPointerToolAtEnd&) = delete;
    CPointerToolAtEnd& operator=(const CPointerToolAtEnd&) = delete;

private:
    WORD& m_nTool;
};
}

/////////////////////////////////////////////////////////////////////////////
// Tools

WORD CVarnelDoc::GetToolOfCommand(UINT nID)
{
    for (const CToolCommand& command : kToolCommands)
    {
        if (command.nID == nID)
            return command.nTool;
    }
    return 0;
}

BOOL CVarnelDoc::OnToolCommand(UINT nID)
{
    const WORD nTool = GetToolOfCommand(nID);
    if (nTool == 0)
        return FALSE;
    m_nCurrentTool = nTool;
    return TRUE;
}

void CVarnelDoc::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nCurrentTool == GetToolOfCommand(pCmdUI->m_nID) ? 1 : 0);
}

// Text from a database needs a data source: without one, the user may set it first.
void CVarnelDoc::OnInsertDbText()
{
    if (m_nDataRows == -1)
    {
        if (AfxMessageBox(IDS_DATA_SOURCE_NEEDED, MB_YESNO | MB_ICONINFORMATION) != IDYES)
            return;
        if (CDocumentHost* pHost = GetDocumentHost())
            pHost->ChooseDataSource(this);
    }
    m_nCurrentTool = KIND_DBTEXT;
}

// A picture chosen by the user becomes a clip-art element, fitted into the design at
// (10, 10), on top of everything and selected alone.
void CVarnelDoc::OnInsertClipArt()
{
    m_nCurrentTool = KIND_CLIPART;
    CPointerToolAtEnd toolAtEnd(m_nCurrentTool);
    try
    {
        const CString strPath = ChoosePictureFile(kClipArtFilter, HOST_FOLDER_GRAPHICS);
        if (strPath.IsEmpty())
            return;
        if (!IsSupportedPictureExtension(PictureExtension(strPath)))
        {
            ReportUnsupportedPicture(strPath);
            return;
        }
        RememberFolder(HOST_FOLDER_GRAPHICS, strPath);

        CPicturePtr pPicture(LoadChosenPicture(strPath));
        if (!pPicture)
            return;
        CBtImage* pImage = new CBtImage(CPoint(10, 10), CPoint(10, 10), pPicture, m_nDesignWidth, m_nDesignHeight);
        pImage->m_nSide = m_nSide;
        pImage->m_clrShadow = m_clrShadow;
        pImage->m_nShadowLength = m_nShadowLength;

        try
        {
            PushUndo();
        }
        catch (...)
        {
            delete pImage;
            throw;
        }
        m_listElements.AddTail(pImage);
        ClearSelection();
        m_listSelection.AddTail(pImage);
        m_tracker.Add(pImage);
        SetModifiedFlag();
        UpdateAllViews(NULL, 0, pImage);
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

/////////////////////////////////////////////////////////////////////////////
// Backgrounds

BOOL CVarnelDoc::RemoveShownBackground()
{
    BOOL bRemoved = FALSE;
    for (POSITION pos = m_listElements.GetHeadPosition(); pos != NULL;)
    {
        const POSITION posElement = pos;
        CElement* pElement = m_listElements.GetNext(pos);
        if (pElement->IsKindOf(RUNTIME_CLASS(CBkgImage)) && pElement->m_nSide == m_nSide)
        {
            m_listElements.RemoveAt(posElement);
            // the selection refers to elements of the list only
            if (POSITION posSelected = m_listSelection.Find(pElement))
                m_listSelection.RemoveAt(posSelected);
            for (INT_PTR i = m_tracker.m_arrSelected.GetSize() - 1; i >= 0; i--)
            {
                if (m_tracker.m_arrSelected[i] == pElement)
                    m_tracker.m_arrSelected.RemoveAt(i);
            }
            if (m_tracker.m_pCurrent == pElement)
                m_tracker.m_pCurrent = NULL;
            delete pElement;
            bRemoved = TRUE;
        }
    }
    return bRemoved;
}

// The chosen picture replaces the background of the shown side; the old one goes only
// when the new one could be read.
void CVarnelDoc::OnSelectBackground()
{
    try
    {
        const CString strPath = ChoosePictureFile(kBackgroundFilter, HOST_FOLDER_BACKGROUNDS);
        if (strPath.IsEmpty())
            return;
        if (!IsSupportedPictureExtension(PictureExtension(strPath)))
        {
            ReportUnsupportedPicture(strPath);
            return;
        }
        RememberFolder(HOST_FOLDER_BACKGROUNDS, strPath);

        CPicturePtr pPicture(LoadChosenPicture(strPath));
        if (!pPicture)
            return;
        CBkgImage* pBackground = new CBkgImage(pPicture, m_nDesignWidth, m_nDesignHeight);
        pBackground->m_nSide = m_nSide;
        pBackground->m_clrShadow = m_clrShadow;
        pBackground->m_nShadowLength = m_nShadowLength;

        RemoveShownBackground();
        m_listElements.AddHead(pBackground);
        SetModifiedFlag();
        UpdateAllViews(NULL);
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

void CVarnelDoc::OnRemoveBackground()
{
    RemoveShownBackground();
    SetModifiedFlag();
    UpdateAllViews(NULL);
}

void CVarnelDoc::OnUpdateSelectBackground(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(HasBackground() ? "Change Background..." : "Select Background...");
}

void CVarnelDoc::OnUpdateRemoveBackground(CCmdUI* pCmdUI)
{
    if (HasBackground())
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetText("Remove Background");
    }
    else
    {
        pCmdUI->Enable(FALSE);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Update handlers of the design view's commands

// A snapshot of an empty design is a level too, so the first element can be undone.
void CVarnelDoc::OnUpdateUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo());
}

void CVarnelDoc::OnUpdateRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanRedo());
}

void CVarnelDoc::OnUpdateNeedSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_listSelection.IsEmpty());
}

void CVarnelDoc::OnUpdateNeedElements(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_listElements.IsEmpty());
}

void CVarnelDoc::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CVarnelDoc::OnUpdateNeedTwoSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_listSelection.GetCount() >= 2);
}

void CVarnelDoc::OnUpdateNeedOneSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_listSelection.GetCount() == 1);
}

void CVarnelDoc::OnUpdateMergeDbTexts(CCmdUI* pCmdUI)
{
    BOOL bEnable = m_listSelection.GetCount() >= 2;
    for (POSITION pos = m_listSelection.GetHeadPosition(); bEnable && pos != NULL;)
        bEnable = m_listSelection.GetNext(pos)->m_nKind == KIND_DBTEXT;
    pCmdUI->Enable(bEnable);
}
