// VarnelDocumentHost.h - CVarnelDocumentHost, the application's answers to what a
// publication asks: the wizard, the tip of the day, the picture Open dialog, the Save
// dialog, the folders of the application object and the data-source dialog of the design
// view.

#pragma once

#include "model/DocumentHost.h"

class CVarnelApp;

class CVarnelDocumentHost : public CDocumentHost
{
public:
    explicit CVarnelDocumentHost(CVarnelApp* pApp);

    virtual BOOL RunNewPublicationWizard(CNewPublicationChoice& choice) override;
    virtual BOOL ShowTipOfTheDay() override;
    virtual CString ChoosePictureFile(LPCSTR pszFilter, const CString& strFolder) override;
    virtual CString ChooseSavePath(const CString& strName, const CString& strFolder) override;
    virtual CString GetFolder(HostFolder folder) override;
    virtual void SetFolder(HostFolder folder, const CString& strPath) override;
    virtual void ChooseDataSource(CVarnelDoc* pDoc) override;

private:
    CString* FolderOf(HostFolder folder);

    CVarnelApp* m_pApp;
};
