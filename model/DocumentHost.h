// DocumentHost.h - CDocumentHost, what a publication asks of the application: the
// new-publication wizard, the tip of the day, the picture Open dialog, the Save dialog,
// the remembered folders and the data-source dialog.
//
// Notes
// - The application installs one host at start-up (SetDocumentHost); without one the
//   document does without: New keeps the constructed design, no tip is shown, no picture
//   and no name to save under can be chosen, the folders are empty and Text from
//   database sets no source.
// - The host is not owned by the document; whoever installs it removes it again.

#pragma once

#include "afx.h"

class CVarnelDoc;

// The choice of the new-publication wizard.
struct CNewPublicationChoice
{
    CString m_strTemplatePath;      // empty: no template
    CString m_strBackgroundPath;    // empty: no background picture
    int m_nWidth;
    int m_nHeight;
    int m_nPublicationType;         // 0 Label .. 6 Sign
    BOOL m_bBlankDesign;

    CNewPublicationChoice()
        : m_nWidth(0), m_nHeight(0), m_nPublicationType(0), m_bBlankDesign(FALSE) {}
};

// The folders the application remembers: where the choosers start, set to the file
// chosen last.
enum HostFolder
{
    HOST_FOLDER_GRAPHICS,       // clip-art pictures
    HOST_FOLDER_BACKGROUNDS,    // background pictures
    HOST_FOLDER_DOCUMENTS       // publications opened and saved
};

class CDocumentHost
{
public:
    virtual ~CDocumentHost() {}

    // Runs the new-publication wizard modally; FALSE when it was cancelled.
    virtual BOOL RunNewPublicationWizard(CNewPublicationChoice& choice) = 0;
    // Shows the tip of the day modally; the state of its show-at-start-up box.
    virtual BOOL ShowTipOfTheDay() = 0;
    // Runs the picture Open dialog with the filter, starting in strFolder; the chosen
    // path, or empty on Cancel.
    virtual CString ChoosePictureFile(LPCSTR pszFilter, const CString& strFolder) = 0;
    // Runs the Save dialog of a publication, offering strName and starting in strFolder;
    // the chosen path, or empty on Cancel.
    virtual CString ChooseSavePath(const CString& strName, const CString& strFolder) = 0;
    virtual CString GetFolder(HostFolder folder) = 0;
    virtual void SetFolder(HostFolder folder, const CString& strPath) = 0;
    // Runs the data-source dialog of the document's design view.
    virtual void ChooseDataSource(CVarnelDoc* pDoc) = 0;
};

// The installed host, or NULL.
CDocumentHost* GetDocumentHost();
// Installs pHost (NULL removes it); returns the host installed before.
CDocumentHost* SetDocumentHost(CDocumentHost* pHost);
