// Tests of CObject, CRuntimeClass, creation by name and the exceptions.

#include "afxwin.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace
{
int g_nLiveObjects = 0;

// Runs f and answers the class of the class library exception it threw.
template <class F>
CRuntimeClass* ThrownClass(F f)
{
    try
    {
        f();
    }
    catch (CException* e)
    {
        CRuntimeClass* pClass = e->GetRuntimeClass();
        e->Delete();
        return pClass;
    }
    return NULL;
}
} // namespace

// Serializable base and derived classes, a dynamic-only class and a
// dynamically creatable one.
class CObjTestShape : public CObject
{
    DECLARE_SERIAL(CObjTestShape)
public:
    CObjTestShape() { ++g_nLiveObjects; }
    virtual ~CObjTestShape() { --g_nLiveObjects; }
};
IMPLEMENT_SERIAL(CObjTestShape, CObject, 0)

class CObjTestBox : public CObjTestShape
{
    DECLARE_SERIAL(CObjTestBox)
public:
    CObjTestBox() {}
    int m_nSide = 7;
};
IMPLEMENT_SERIAL(CObjTestBox, CObjTestShape, 3)

class CObjTestAbstract : public CObject
{
    DECLARE_DYNAMIC(CObjTestAbstract)
};
IMPLEMENT_DYNAMIC(CObjTestAbstract, CObject)

class CObjTestView : public CObject
{
    DECLARE_DYNCREATE(CObjTestView)
public:
    CObjTestView() {}
};
IMPLEMENT_DYNCREATE(CObjTestView, CObject)

// An exception that counts its instances, to see who deletes it.
class CObjTestException : public CException
{
public:
    CObjTestException() { ++s_nLive; }
    virtual ~CObjTestException() { --s_nLive; }
    static int s_nLive;
};
int CObjTestException::s_nLive = 0;

TEST(RuntimeClass, RecordsNameSchemaSizeAndBase)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CObjTestBox);
    EXPECT_STREQ("CObjTestBox", pClass->m_lpszClassName);
    EXPECT_EQ(3u, pClass->m_wSchema);
    EXPECT_EQ((int)sizeof(CObjTestBox), pClass->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CObjTestShape), pClass->m_pBaseClass);
    EXPECT_EQ(NULL, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CObjTestAbstract)->m_wSchema);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CObjTestView)->m_wSchema);
    EXPECT_EQ(NULL, RUNTIME_CLASS(CObjTestAbstract)->m_pfnCreateObject);
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain)
{
    CObjTestBox box;
    EXPECT_EQ(RUNTIME_CLASS(CObjTestBox), box.GetRuntimeClass());
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CObjTestBox)));
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CObjTestShape)));
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(box.IsKindOf(RUNTIME_CLASS(CObjTestView)));

    CObjTestShape shape;
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CObjTestBox)));
    EXPECT_TRUE(RUNTIME_CLASS(CObjTestBox)->IsDerivedFrom(RUNTIME_CLASS(CObjTestShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CObjTestShape)->IsDerivedFrom(RUNTIME_CLASS(CObjTestBox)));
    EXPECT_FALSE(RUNTIME_CLASS(CObjTestShape)->IsDerivedFrom(NULL));
}

TEST(RuntimeClass, SerializableOnlyWithASchema)
{
    CObjTestBox box;
    CObjTestView view;
    EXPECT_TRUE(box.IsSerializable());
    EXPECT_FALSE(view.IsSerializable());
}

TEST(RuntimeClass, CreatesByName)
{
    EXPECT_EQ(RUNTIME_CLASS(CObjTestBox), CRuntimeClass::FromName("CObjTestBox"));
    EXPECT_EQ(RUNTIME_CLASS(CObjTestView), CRuntimeClass::FromName("CObjTestView"));
    EXPECT_EQ(RUNTIME_CLASS(CException), CRuntimeClass::FromName("CException"));
    EXPECT_EQ(NULL, CRuntimeClass::FromName("cobjtestbox"));   // case matters
    EXPECT_EQ(NULL, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(NULL, CRuntimeClass::FromName(NULL));

    int nBefore = g_nLiveObjects;
    CObject* pOb = CRuntimeClass::CreateObject("CObjTestBox");
    ASSERT_TRUE(pOb != NULL);
    EXPECT_EQ(RUNTIME_CLASS(CObjTestBox), pOb->GetRuntimeClass());
    EXPECT_EQ(7, static_cast<CObjTestBox*>(pOb)->m_nSide);
    EXPECT_EQ(nBefore + 1, g_nLiveObjects);
    delete pOb;   // through the virtual destructor
    EXPECT_EQ(nBefore, g_nLiveObjects);

    CObject* pView = RUNTIME_CLASS(CObjTestView)->CreateObject();
    ASSERT_TRUE(pView != NULL);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CObjTestView)));
    delete pView;

    EXPECT_EQ(NULL, CRuntimeClass::CreateObject("CObjTestAbstract"));
    EXPECT_EQ(NULL, CRuntimeClass::CreateObject("CNoSuchClass"));
}

TEST(RuntimeClass, RegistrationIsIdempotent)
{
    AfxClassInit(RUNTIME_CLASS(CObjTestBox));
    AFX_FORCE_LINK_CLASS(CObjTestBox);
    EXPECT_EQ(RUNTIME_CLASS(CObjTestBox), CRuntimeClass::FromName("CObjTestBox"));
}

TEST(RuntimeClass, DynamicDowncastChecksTheClass)
{
    CObjTestBox box;
    CObjTestShape shape;
    CObject* pBox = &box;
    CObject* pShape = &shape;
    EXPECT_EQ(&box, DYNAMIC_DOWNCAST(CObjTestBox, pBox));
    EXPECT_EQ(&box, DYNAMIC_DOWNCAST(CObjTestShape, pBox));
    EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CObjTestBox, pShape));
    EXPECT_EQ(NULL, DYNAMIC_DOWNCAST(CObjTestBox, (CObject*)NULL));
}

TEST(Exceptions, ClassesAndCauses)
{
    try
    {
        AfxThrowArchiveException(CArchiveException::badClass, "a.labf");
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        CArchiveException* pArchive = static_cast<CArchiveException*>(e);
        EXPECT_EQ(CArchiveException::badClass, pArchive->m_cause);
        EXPECT_STREQ("a.labf", pArchive->m_strFileName);
        char szMessage[256];
        EXPECT_TRUE(e->GetErrorMessage(szMessage, sizeof(szMessage)));
        EXPECT_TRUE(strstr(szMessage, "a.labf") != NULL);
        e->Delete();
    }

    try
    {
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "x.txt");
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        EXPECT_EQ(ERROR_ACCESS_DENIED, e->m_lOsError);
        EXPECT_STREQ("x.txt", e->m_strFileName);
        e->Delete();
    }

    EXPECT_EQ(RUNTIME_CLASS(CInvalidArgException), ThrownClass([] { AfxThrowInvalidArgException(); }));
    EXPECT_EQ(RUNTIME_CLASS(CNotSupportedException), ThrownClass([] { AfxThrowNotSupportedException(); }));
    EXPECT_EQ(RUNTIME_CLASS(CUserException), ThrownClass([] { AfxThrowUserException(); }));
    EXPECT_EQ(RUNTIME_CLASS(CMemoryException), ThrownClass([] { AfxThrowMemoryException(); }));
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
}

TEST(Exceptions, MemoryExceptionIsStaticAndSurvivesDelete)
{
    CException* pFirst = NULL;
    CException* pSecond = NULL;
    try { AfxThrowMemoryException(); } catch (CException* e) { pFirst = e; e->Delete(); }
    try { AfxThrowMemoryException(); } catch (CException* e) { pSecond = e; e->Delete(); }
    EXPECT_EQ(pFirst, pSecond);
    EXPECT_FALSE(pSecond->m_bAutoDelete);
}

TEST(Exceptions, CatchMacrosDeleteTheException)
{
    int nLiveBefore = CObjTestException::s_nLive;
    bool bCaught = false;
    TRY
    {
        throw new CObjTestException;
    }
    CATCH(CFileException, e)
    {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CException, e)
    {
        bCaught = true;
        EXPECT_EQ(nLiveBefore + 1, CObjTestException::s_nLive);
    }
    END_CATCH
    EXPECT_TRUE(bCaught);
    EXPECT_EQ(nLiveBefore, CObjTestException::s_nLive);
}

TEST(Exceptions, ThrowLastPassesTheExceptionOn)
{
    int nLiveBefore = CObjTestException::s_nLive;
    CException* pOuter = NULL;
    try
    {
        TRY
        {
            throw new CObjTestException;
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    }
    catch (CException* e)
    {
        pOuter = e;
        EXPECT_EQ(nLiveBefore + 1, CObjTestException::s_nLive);   // still alive
        e->Delete();
    }
    EXPECT_TRUE(pOuter != NULL);
    EXPECT_EQ(nLiveBefore, CObjTestException::s_nLive);
}

TEST(Exceptions, ReportErrorShowsTheMessage)
{
    CMessageBoxRecorder boxes;
    boxes.AddAnswer(IDOK);
    CArchiveException* e = new CArchiveException(CArchiveException::endOfFile, "doc.labf");
    e->ReportError(MB_ICONEXCLAMATION);
    e->Delete();
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_TRUE(strstr(boxes.GetCall(0).m_strText, "doc.labf") != NULL);
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, boxes.GetCall(0).m_nType);
}
