// doc_program.cpp - the publications and child runs of the document tests.

#include "doc_program.h"
#include "model/Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

using namespace Gdiplus;

DWORD RunTestInChild(const CString& strExe, const char* pszTest)
{
    CString strLine = "\"" + strExe + "\" --gtest_also_run_disabled_tests --gtest_filter=" + pszTest;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted = ::CreateProcessA(NULL, strLine.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    strLine.ReleaseBuffer();
    if (!bStarted)
        return (DWORD)-1;
    DWORD dwCode = (DWORD)-1;
    if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwCode);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return dwCode;
}

/////////////////////////////////////////////////////////////////////////////
// Wizard and publications

void ScriptWizard(CDialogScript& script, const CWizardAnswer& answer)
{
    CDialogScript::CSteps& steps = script.OnDialog(IDD_WIZ_NEWCARD);
    steps.Select(IDC_WIZ_CATEGORY, answer.nCategory);
    steps.SelectString(IDC_WIZ_TEMPLATES, answer.strTemplate.IsEmpty() ? CString(" -None-") : answer.strTemplate);
    steps.SelectString(IDC_WIZ_BACKGROUNDS,
                       answer.strBackground.IsEmpty() ? CString(" -None-") : answer.strBackground);
    if (answer.bBlank)
        steps.Check(IDC_WIZ_BLANK, BST_CHECKED);
    if (answer.bKeepTemplateSize && !answer.bBlank)
    {
        steps.Check(IDC_WIZ_KEEPSIZE, BST_CHECKED);
    }
    else
    {
        CString strWidth, strHeight;
        strWidth.Format("%g", answer.fWidth);
        strHeight.Format("%g", answer.fHeight);
        steps.Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED);
        steps.Select(IDC_WIZ_SIZES, 0);
        steps.Select(IDC_WIZ_UNITS, 0);
        steps.SetText(IDC_WIZ_WIDTH, strWidth);
        steps.SetText(IDC_WIZ_HEIGHT, strHeight);
    }
    steps.OK();
}

void FillEveryElement(CVarnelDoc& doc, const CString& strDataSource)
{
    doc.m_nPublicationType = 3;     // a postcard has two sides
    doc.m_nDesignWidth = 600;
    doc.m_nDesignHeight = 400;
    doc.m_nSheetWidth = 827;
    doc.m_nSheetHeight = 1169;
    doc.m_clrBackgroundFront = 0xFFFFF0E0;
    doc.m_clrBackgroundBack = 0xFFE0F0FF;
    doc.m_strDataSource = strDataSource;

    for (int nSide = 1; nSide <= 2; nSide++)
    {
        Bitmap* pPicture = new Bitmap(3, 2, PixelFormat32bppARGB);
        for (int y = 0; y < 2; y++)
            for (int x = 0; x < 3; x++)
                pPicture->SetPixel(x, y, Color(0xFF, (BYTE)(40 * x), (BYTE)(90 * y), (BYTE)(60 * nSide)));
        CBkgImage* pBackground = new CBkgImage(CPicturePtr(pPicture), doc.m_nDesignWidth, doc.m_nDesignHeight);
        pBackground->m_nSide = nSide;
        doc.m_listElements.AddHead(pBackground);        // under everything

        const int d = nSide * 7;
        std::vector<CElement*> elements = {
            new CLine(CPoint(10 + d, 10), CPoint(120, 30 + d)),
            new CRectangle(CPoint(20, 20 + d), CPoint(90 + d, 70)),
            new CCircle(CPoint(30, 40), CPoint(100, 110 + d)),
            new CRhombus(CPoint(40 + d, 50), CPoint(140, 120)),
            new CRectRound(CPoint(50, 60), CPoint(150 + d, 130)),
            new CTriangle(CPoint(60, 70 + d), CPoint(160, 170)),
            new CFreehandLine(CPoint(70, 80), CPoint(71, 81)),
            new CText(CPoint(80 + d, 90), CPoint(300, 140)),
            new CClosedCurve(CPoint(90, 100), CPoint(91, 101)),
            new CCalloutBL(CPoint(100, 110), CPoint(200 + d, 190)),
            new CCalloutBR(CPoint(110, 120 + d), CPoint(210, 200)),
            new CShapeParallelo(CPoint(120, 130), CPoint(220, 180 + d)),
            new CShapeArrowL(CPoint(130 + d, 140), CPoint(230, 190)),
            new CShapeStar(CPoint(140, 150), CPoint(240, 250 + d)),
            new CShapeExplosion(CPoint(150, 160 + d), CPoint(250, 260)),
            new CShapeMoon(CPoint(160, 170), CPoint(260 + d, 270)),
            new CShapeArrowR(CPoint(170, 180), CPoint(270, 230 + d)),
            new CShapeSun(CPoint(180 + d, 190), CPoint(280, 290)),
            new CDbText(CPoint(190, 200), CPoint(390, 240 + d)),
        };
        for (CElement* pElement : elements)
        {
            pElement->m_nSide = nSide;
            pElement->m_clrFill = 0xFF000000 | (DWORD)(0x102030 * nSide);
            pElement->m_nAngle = 15 * nSide;
            doc.m_listElements.AddTail(pElement);
        }
        for (int i = 1; i <= 4; i++)
        {
            elements[6]->AddPoint(CPoint(70 + 9 * i, 80 + 5 * i * nSide));
            elements[8]->AddPoint(CPoint(90 + 6 * i * nSide, 100 + 4 * i));
        }
        elements[7]->m_strText = nSide == 1 ? "Front text" : "Back text";
        elements[18]->m_strText = "<<TextFromDB>>";
        elements[18]->m_strColumn = nSide == 1 ? "1" : "0-2";

        Bitmap* pClip = new Bitmap(4, 3, PixelFormat32bppARGB);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 4; x++)
                pClip->SetPixel(x, y, Color((BYTE)(255 - 20 * x), (BYTE)(50 * y), 200, (BYTE)(30 * nSide)));
        CBtImage* pImage = new CBtImage(CPoint(200, 210), CPoint(200, 210), CPicturePtr(pClip), 600, 400);
        pImage->m_nSide = nSide;
        doc.m_listElements.AddTail(pImage);
    }
    doc.ApplyElementSettings();
}

std::vector<std::string> ClassNames(CElementList& list)
{
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        names.push_back(list.GetNext(pos)->GetRuntimeClass()->m_lpszClassName);
    return names;
}
