// Closing the program with several modified publications: each is asked about in its own
// window, and Cancel at any question keeps every publication open.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

TEST(FilesClose, ExitAsksAboutEachPublicationInItsWindowAndCancelKeepsAllOpen)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CVarnelDoc* docs[2] = {};
    for (CVarnelDoc*& pDoc : docs)
    {
        pDoc = program.NewPlainDoc();
        ASSERT_TRUE(pDoc != NULL);
        pDoc->m_listElements.AddTail(new CRectangle(CPoint(5, 5), CPoint(50, 40)));
        pDoc->SetModifiedFlag();
    }
    ASSERT_NE(docs[0], docs[1]);
    ASSERT_EQ(docs[1], program.ActiveDoc());

    // the first question shows the first publication's window
    boxes.AddAnswer(IDCANCEL);
    program.Command(ID_APP_EXIT);
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(0).m_strText.Find(docs[0]->GetTitle()), 0) << (LPCSTR)boxes.GetCall(0).m_strText;
    EXPECT_EQ(docs[0], program.ActiveDoc());
    EXPECT_EQ(2, program.CountDocs());

    // No for the first, Cancel at the second: nothing closes and nothing is lost
    boxes.Reset();
    boxes.AddAnswer(IDNO);
    boxes.AddAnswer(IDCANCEL);
    program.Command(ID_APP_EXIT);
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(1).m_strText.Find(docs[1]->GetTitle()), 0) << (LPCSTR)boxes.GetCall(1).m_strText;
    EXPECT_EQ(docs[1], program.ActiveDoc());
    EXPECT_EQ(2, program.CountDocs());
    ASSERT_TRUE(program.m_pApp->m_pMainWnd != NULL);
    EXPECT_TRUE(program.m_pApp->m_pMainWnd->IsWindowVisible());
    EXPECT_TRUE(docs[0]->IsModified() && docs[1]->IsModified());
}
