// doc_test_support.cpp - whole-file helpers of the model tests.

#include "doc_test_support.h"
#include "Element.h"

#include <stdlib.h>

ByteVec SaveDocument(CVarnelDoc& doc)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    ByteVec result(pData, pData + nLength);
    free(pData);
    return result;
}

void LoadDocument(CVarnelDoc& doc, const ByteVec& data)
{
    ByteVec copy(data);
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    doc.Serialize(ar);
}

int LoadDocumentFailure(CVarnelDoc& doc, const ByteVec& data)
{
    try
    {
        LoadDocument(doc, data);
    }
    catch (CArchiveException* e)
    {
        const int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -2;
    }
    catch (...)
    {
        return -3;
    }
    return -1;
}

CElement* ElementAt(CVarnelDoc& doc, int nIndex)
{
    POSITION pos = doc.m_listElements.FindIndex(nIndex);
    return pos != NULL ? doc.m_listElements.GetAt(pos) : NULL;
}
