// VarnelDocTemplate.cpp - templates: the preview picture of a template and the template
// file written from a publication.

#include "VarnelDoc.h"
#include "Elements.h"
#include "TemplatePreview.h"
#include "resources/model_resource.h"

#include <objidl.h>
#include <gdiplus.h>

#include <utility>
#include <vector>

namespace
{
// Writes the document whole: the file at strPath is replaced only when the new one is
// complete and flushed; a read-only strPath is refused.
void WriteDocumentFile(CVarnelDoc& doc, const CString& strPath)
{
    AfxWriteWholeFile(strPath, [](CFile& file, void* pParam)
    {
        CArchive ar(&file, CArchive::store);
        ar.m_pDocument = static_cast<CVarnelDoc*>(pParam);
        try
        {
            ar.m_pDocument->Serialize(ar);
            ar.Close();
        }
        catch (...)
        {
            ar.Abort();
            throw;
        }
    }, &doc);
}
}

// Previews a template over a background, or saves the design as a template without its background pictures
// and data source, which come back to the publication however the write ends.
Gdiplus::Bitmap* CVarnelDoc::SaveOrPreviewTemplate(CString strTemplatePath, CString strBackgroundPath,
                                                   BOOL bPreview)
{
    if (bPreview)
        return RenderTemplatePreview(*this, strTemplatePath, strBackgroundPath);

    // The template holds neither background pictures nor the data-source reference; both
    // come back into the publication afterwards, also when writing fails.
    std::vector<std::pair<int, CElement*>> backgrounds;     // list index, element
    int nIndex = 0;
    for (POSITION pos = m_listElements.GetHeadPosition(); pos != NULL; nIndex++)
    {
        const POSITION posElement = pos;
        CElement* pElement = m_listElements.GetNext(pos);
        if (pElement->IsKindOf(RUNTIME_CLASS(CBkgImage)))
        {
            m_listElements.RemoveAt(posElement);
            backgrounds.push_back(std::make_pair(nIndex, pElement));
        }
    }
    const CString strDataSource = m_strDataSource;
    auto restore = [&]() {
        m_strDataSource = strDataSource;
        // in index order every picture goes back to its place (the head, where they lie)
        for (const auto& background : backgrounds)
        {
            POSITION posBefore = background.first > 0 ? m_listElements.FindIndex(background.first - 1) : NULL;
            if (background.first == 0)
                m_listElements.AddHead(background.second);
            else if (posBefore != NULL)
                m_listElements.InsertAfter(posBefore, background.second);
            else
                m_listElements.AddTail(background.second);
        }
    };
    try
    {
        if (!m_strDataSource.IsEmpty())
            AfxMessageBox(IDS_TEMPLATE_HAS_DATA_SOURCE, MB_OK);
        m_strDataSource.Empty();
        WriteDocumentFile(*this, strTemplatePath);
    }
    catch (...)
    {
        restore();
        throw;
    }
    restore();
    return NULL;
}
