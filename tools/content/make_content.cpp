// make_content.cpp - draws the folders that ship beside Stickwell.exe: Templates,
// BackGrounds, Graphics and the publications of Samples, with the program's own element
// classes and file writer. Run by scripts/make-content.sh; the output is committed.
//
//     make_content.exe <content folder>

#include "model/Elements.h"
#include "model/VarnelDoc.h"

#include <objidl.h>
#include <gdiplus.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace
{

const float kPi = 3.14159265f;
std::string g_strRoot;
int g_nFailures = 0;

// Publication types, in the wizard's category order.
enum { typeLabel, typeBadge, typeEnvelope, typePostcard, typeLetterhead, typeFlyer, typeSign };

void Report(const std::string& strPath, bool bOk)
{
    printf("%s %s\n", bOk ? "wrote" : "FAILED", strPath.c_str());
    if (!bOk)
        g_nFailures++;
}

/////////////////////////////////////////////////////////////////////////////
// Pictures

bool EncoderOf(const WCHAR* pszMime, CLSID& clsid)
{
    UINT nCount = 0, nSize = 0;
    if (GetImageEncodersSize(&nCount, &nSize) != Ok || nSize == 0)
        return false;
    std::vector<BYTE> buffer(nSize);
    ImageCodecInfo* pCodecs = (ImageCodecInfo*)buffer.data();
    if (GetImageEncoders(nCount, nSize, pCodecs) != Ok)
        return false;
    for (UINT i = 0; i < nCount; i++)
    {
        if (wcscmp(pCodecs[i].MimeType, pszMime) == 0)
        {
            clsid = pCodecs[i].Clsid;
            return true;
        }
    }
    return false;
}

void SavePicture(Bitmap* pBitmap, const std::string& strRelative, const WCHAR* pszMime)
{
    const std::string strPath = g_strRoot + "\\" + strRelative;
    std::wstring wstrPath(strPath.begin(), strPath.end());
    CLSID clsid;
    bool bOk = EncoderOf(pszMime, clsid);
    if (bOk && wcscmp(pszMime, L"image/jpeg") == 0)
    {
        EncoderParameters params;
        ULONG nQuality = 90;
        params.Count = 1;
        params.Parameter[0].Guid = EncoderQuality;
        params.Parameter[0].Type = EncoderParameterValueTypeLong;
        params.Parameter[0].NumberOfValues = 1;
        params.Parameter[0].Value = &nQuality;
        bOk = pBitmap->Save(wstrPath.c_str(), &clsid, &params) == Ok;
    }
    else if (bOk)
    {
        bOk = pBitmap->Save(wstrPath.c_str(), &clsid, NULL) == Ok;
    }
    Report(strPath, bOk);
}

struct CPicture
{
    std::shared_ptr<Bitmap> pBitmap;
    std::unique_ptr<Graphics> pGraphics;

    CPicture(int nWidth, int nHeight, DWORD clrBack)
        : pBitmap(new Bitmap(nWidth, nHeight, PixelFormat32bppARGB))
    {
        pGraphics.reset(new Graphics(pBitmap.get()));
        pGraphics->SetSmoothingMode(SmoothingModeAntiAlias);
        pGraphics->Clear(Color(clrBack));
    }
    Graphics& G() { return *pGraphics; }
    float W() const { return (float)pBitmap->GetWidth(); }
    float H() const { return (float)pBitmap->GetHeight(); }
};

void FillStar(Graphics& g, const Brush& brush, float cx, float cy, float rOuter, float rInner, int nPoints)
{
    std::vector<PointF> points;
    for (int i = 0; i < nPoints * 2; i++)
    {
        const float r = i % 2 ? rInner : rOuter;
        const float a = -kPi / 2 + i * kPi / nPoints;
        points.push_back(PointF(cx + r * cosf(a), cy + r * sinf(a)));
    }
    g.FillPolygon(&brush, points.data(), (INT)points.size());
}

void VerticalGradient(CPicture& p, DWORD clrTop, DWORD clrBottom)
{
    LinearGradientBrush brush(PointF(0, 0), PointF(0, p.H()), Color(clrTop), Color(clrBottom));
    p.G().FillRectangle(&brush, RectF(0, 0, p.W(), p.H() + 1));
}

// Backgrounds: whole-page pictures that lie under the design.
CPicture SkyBackground(int w, int h)
{
    CPicture p(w, h, 0xFFFFFFFF);
    VerticalGradient(p, 0xFF4A90D9, 0xFFDDEEFF);
    SolidBrush cloud(Color(200, 255, 255, 255));
    const float clouds[][3] = { { 0.18f, 0.25f, 1.0f }, { 0.62f, 0.15f, 0.8f }, { 0.80f, 0.45f, 1.2f },
                                { 0.35f, 0.60f, 0.7f } };
    for (const auto& c : clouds)
    {
        const float x = c[0] * w, y = c[1] * h, s = c[2] * w / 12;
        p.G().FillEllipse(&cloud, x - s, y - s / 2, 2 * s, s);
        p.G().FillEllipse(&cloud, x - s * 0.4f, y - s * 0.9f, 1.2f * s, 1.1f * s);
        p.G().FillEllipse(&cloud, x + s * 0.1f, y - s * 0.6f, 1.3f * s, 0.9f * s);
    }
    return p;
}

CPicture SunsetBackground(int w, int h)
{
    CPicture p(w, h, 0xFFFFFFFF);
    VerticalGradient(p, 0xFF2B1B5A, 0xFFFFA040);
    SolidBrush sun(Color(255, 255, 220, 120));
    p.G().FillEllipse(&sun, w * 0.5f - h * 0.18f, h * 0.52f, h * 0.36f, h * 0.36f);
    SolidBrush sea(Color(255, 30, 50, 110));
    p.G().FillRectangle(&sea, RectF(0, h * 0.7f, (float)w, h * 0.3f + 1));
    Pen glint(Color(160, 255, 220, 140), h / 120.0f + 1);
    for (int i = 0; i < 8; i++)
    {
        const float y = h * (0.73f + i * 0.03f), half = h * (0.16f - i * 0.015f);
        p.G().DrawLine(&glint, w * 0.5f - half, y, w * 0.5f + half, y);
    }
    return p;
}

CPicture MeadowBackground(int w, int h)
{
    CPicture p(w, h, 0xFFFFFFFF);
    VerticalGradient(p, 0xFFBFE6FF, 0xFFF4FBFF);
    SolidBrush hillBack(Color(255, 120, 190, 90));
    SolidBrush hillFront(Color(255, 70, 150, 60));
    p.G().FillEllipse(&hillBack, -w * 0.3f, h * 0.55f, w * 1.1f, h * 0.9f);
    p.G().FillEllipse(&hillFront, w * 0.3f, h * 0.65f, w * 1.0f, h * 0.8f);
    const Color petals[] = { Color(255, 255, 255, 255), Color(255, 255, 210, 60), Color(255, 240, 110, 150) };
    for (int i = 0; i < 40; i++)
    {
        const float x = (float)((i * 97) % w), y = h * 0.78f + (float)((i * 53) % (h / 5));
        SolidBrush b(petals[i % 3]);
        p.G().FillEllipse(&b, x, y, h / 60.0f + 2, h / 60.0f + 2);
    }
    return p;
}

CPicture ConfettiBackground(int w, int h)
{
    CPicture p(w, h, 0xFFFFFDF4);
    const Color colours[] = { Color(255, 230, 70, 80), Color(255, 60, 140, 220), Color(255, 250, 190, 40),
                              Color(255, 80, 180, 110), Color(255, 160, 90, 200) };
    unsigned seed = 12345;
    for (int i = 0; i < 220; i++)
    {
        seed = seed * 1103515245u + 12345u;
        const float x = (float)((seed >> 8) % (unsigned)w);
        seed = seed * 1103515245u + 12345u;
        const float y = (float)((seed >> 8) % (unsigned)h);
        const float s = w / 90.0f + (float)(i % 4);
        SolidBrush b(colours[i % 5]);
        p.G().TranslateTransform(x, y);
        p.G().RotateTransform((float)(i * 37 % 180));
        if (i % 3 == 0)
            p.G().FillEllipse(&b, -s / 2, -s / 2, s, s);
        else
            p.G().FillRectangle(&b, RectF(-s, -s / 3, 2 * s, s / 1.5f));
        p.G().ResetTransform();
    }
    return p;
}

CPicture ParchmentBackground(int w, int h)
{
    CPicture p(w, h, 0xFFF3E6C8);
    GraphicsPath path;
    path.AddRectangle(RectF(0, 0, (float)w, (float)h));
    PathGradientBrush brush(&path);
    brush.SetCenterColor(Color(255, 250, 242, 220));
    Color surround(255, 214, 186, 130);
    INT nCount = 1;
    brush.SetSurroundColors(&surround, &nCount);
    p.G().FillRectangle(&brush, RectF(0, 0, (float)w, (float)h));
    Pen border(Color(255, 150, 110, 60), w / 150.0f + 1);
    p.G().DrawRectangle(&border, RectF(w * 0.03f, h * 0.03f, w * 0.94f, h * 0.94f));
    return p;
}

// Clip-art: pictures on a transparent ground.
CPicture StarArt()
{
    CPicture p(256, 256, 0x00000000);
    LinearGradientBrush gold(PointF(0, 0), PointF(0, 256), Color(255, 255, 230, 90), Color(255, 240, 160, 20));
    FillStar(p.G(), gold, 128, 136, 120, 50, 5);
    SolidBrush shine(Color(120, 255, 255, 255));
    FillStar(p.G(), shine, 110, 110, 30, 12, 5);
    return p;
}

CPicture HeartArt()
{
    CPicture p(256, 256, 0x00000000);
    GraphicsPath path;
    path.AddBezier(PointF(128, 230), PointF(20, 150), PointF(0, 60), PointF(70, 40));
    path.AddBezier(PointF(70, 40), PointF(105, 30), PointF(125, 55), PointF(128, 75));
    path.AddBezier(PointF(128, 75), PointF(131, 55), PointF(151, 30), PointF(186, 40));
    path.AddBezier(PointF(186, 40), PointF(256, 60), PointF(236, 150), PointF(128, 230));
    LinearGradientBrush red(PointF(0, 30), PointF(0, 230), Color(255, 240, 70, 90), Color(255, 180, 20, 40));
    p.G().FillPath(&red, &path);
    SolidBrush shine(Color(110, 255, 255, 255));
    p.G().FillEllipse(&shine, 60, 60, 40, 28);
    return p;
}

CPicture FlowerArt()
{
    CPicture p(256, 256, 0x00000000);
    Pen stem(Color(255, 60, 140, 50), 10);
    p.G().DrawLine(&stem, 128, 128, 128, 250);
    SolidBrush leaf(Color(255, 80, 170, 60));
    p.G().FillEllipse(&leaf, 128, 180, 60, 26);
    SolidBrush petal(Color(255, 250, 120, 170));
    for (int i = 0; i < 8; i++)
    {
        p.G().TranslateTransform(128, 100);
        p.G().RotateTransform(i * 45.0f);
        p.G().FillEllipse(&petal, 12, -16, 70, 32);
        p.G().ResetTransform();
    }
    SolidBrush centre(Color(255, 250, 200, 40));
    p.G().FillEllipse(&centre, 100, 72, 56, 56);
    return p;
}

CPicture HouseArt()
{
    CPicture p(256, 256, 0x00000000);
    SolidBrush wall(Color(255, 240, 220, 180));
    SolidBrush roof(Color(255, 190, 60, 50));
    SolidBrush door(Color(255, 120, 80, 40));
    SolidBrush window(Color(255, 140, 200, 240));
    Pen outline(Color(255, 80, 60, 40), 4);
    p.G().FillRectangle(&wall, RectF(48, 110, 160, 130));
    p.G().DrawRectangle(&outline, RectF(48, 110, 160, 130));
    PointF roofPoints[] = { PointF(28, 118), PointF(128, 24), PointF(228, 118) };
    p.G().FillPolygon(&roof, roofPoints, 3);
    p.G().DrawPolygon(&outline, roofPoints, 3);
    p.G().FillRectangle(&door, RectF(110, 170, 36, 70));
    p.G().FillRectangle(&window, RectF(66, 140, 34, 30));
    p.G().FillRectangle(&window, RectF(156, 140, 34, 30));
    return p;
}

CPicture EnvelopeArt()
{
    CPicture p(256, 192, 0x00000000);
    SolidBrush paper(Color(255, 250, 250, 245));
    Pen outline(Color(255, 70, 90, 130), 5);
    p.G().FillRectangle(&paper, RectF(16, 30, 224, 140));
    p.G().DrawRectangle(&outline, RectF(16, 30, 224, 140));
    PointF flap[] = { PointF(16, 30), PointF(128, 110), PointF(240, 30) };
    p.G().DrawLines(&outline, flap, 3);
    SolidBrush stamp(Color(255, 220, 70, 70));
    p.G().FillRectangle(&stamp, RectF(196, 42, 30, 36));
    return p;
}

CPicture BalloonsArt()
{
    CPicture p(256, 256, 0x00000000);
    const Color colours[] = { Color(255, 230, 60, 70), Color(255, 60, 130, 220), Color(255, 250, 200, 40) };
    const float centres[][2] = { { 80, 80 }, { 170, 70 }, { 128, 120 } };
    Pen string(Color(255, 90, 90, 90), 2);
    for (int i = 0; i < 3; i++)
    {
        const float x = centres[i][0], y = centres[i][1];
        p.G().DrawBezier(&string, PointF(x, y + 50), PointF(x - 10, y + 100), PointF(140, 200), PointF(128, 250));
        SolidBrush b(colours[i]);
        p.G().FillEllipse(&b, x - 40, y - 50, 80.0f, 100.0f);
        SolidBrush shine(Color(100, 255, 255, 255));
        p.G().FillEllipse(&shine, x - 25, y - 35, 20.0f, 28.0f);
    }
    return p;
}

// A smaller copy of a picture.
CPicture Shrunk(const CPicture& source, int nWidth, int nHeight)
{
    CPicture p(nWidth, nHeight, 0x00000000);
    p.G().SetInterpolationMode(InterpolationModeHighQualityBicubic);
    p.G().DrawImage(source.pBitmap.get(), RectF(0, 0, (float)nWidth, (float)nHeight));
    return p;
}

/////////////////////////////////////////////////////////////////////////////
// Publications

void SetFont(CElement* p, const char* pszFace, int nPoints, bool bBold, bool bItalic = false)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = nPoints;
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = bItalic ? 1 : 0;
    lstrcpynA(lf.lfFaceName, pszFace, LF_FACESIZE);
    p->m_font.DeleteObject();
    p->m_font.CreateFontIndirect(&lf);
}

class CDesign
{
public:
    CDesign(int nType, int nWidth, int nHeight) : m_pDoc(new CVarnelDoc)
    {
        m_pDoc->m_nPublicationType = nType;
        m_pDoc->m_nDesignWidth = nWidth;
        m_pDoc->m_nDesignHeight = nHeight;
    }

    CVarnelDoc& Doc() { return *m_pDoc; }

    template <class T>
    T* Add(int left, int top, int right, int bottom)
    {
        T* p = new T(CPoint(left, top), CPoint(right, bottom));
        p->m_nSide = 1;
        p->m_clrShadow = m_pDoc->m_clrShadow;
        p->m_nShadowLength = m_pDoc->m_nShadowLength;
        m_pDoc->m_listElements.AddTail(p);
        return p;
    }

    template <class T>
    T* Shape(int left, int top, int right, int bottom, int nFillKind, DWORD clrFill, DWORD clrPattern,
             DWORD clrLine, int nLineWidth)
    {
        T* p = Add<T>(left, top, right, bottom);
        p->m_nFillKind = nFillKind;
        p->m_clrFill = clrFill;
        p->m_clrPattern = clrPattern;
        p->m_clrLine = clrLine;
        p->m_nLineWidth = nLineWidth;
        p->m_bTransparent = FALSE;
        p->m_bShadow = FALSE;
        return p;
    }

    CText* Text(int left, int top, int right, int bottom, const char* pszText, const char* pszFace, int nPoints,
                bool bBold, DWORD clrText, int nHAlign = 1)
    {
        CText* p = Add<CText>(left, top, right, bottom);
        p->m_strText = pszText;
        p->m_clrText = clrText;
        p->m_nHAlign = nHAlign;
        p->m_nVAlign = 1;
        SetFont(p, pszFace, nPoints, bBold);
        return p;
    }

    CDbText* DbText(int left, int top, int right, int bottom, int nColumn, const char* pszColumn,
                    int nPoints, bool bBold)
    {
        CDbText* p = Add<CDbText>(left, top, right, bottom);
        p->m_strColumn.Format("%d", nColumn);
        p->m_strText = CString("<<") + pszColumn + ">>";
        p->m_clrText = 0xFF202020;
        p->m_nHAlign = 0;
        p->m_nVAlign = 1;
        SetFont(p, "Arial", nPoints, bBold);
        return p;
    }

    CLine* Line(int left, int top, int right, int bottom, DWORD clrLine, int nWidth)
    {
        CLine* p = Add<CLine>(left, top, right, bottom);
        p->m_clrLine = clrLine;
        p->m_nLineWidth = nWidth;
        p->m_nLineDirection = 0;
        return p;
    }

    void ClipArt(const CPicture& picture, int left, int top, int right, int bottom)
    {
        CBtImage* p = new CBtImage(CPoint(left, top), CPoint(0, 0), picture.pBitmap, 850, 1100);
        p->m_rect.SetRect(left, top, right, bottom);
        p->m_nSide = 1;
        p->m_clrShadow = m_pDoc->m_clrShadow;
        p->m_nShadowLength = m_pDoc->m_nShadowLength;
        m_pDoc->m_listElements.AddTail(p);
    }

    void Background(const CPicture& picture)
    {
        CBkgImage* p = new CBkgImage(picture.pBitmap, m_pDoc->m_nDesignWidth, m_pDoc->m_nDesignHeight);
        p->m_nSide = 1;
        m_pDoc->m_listElements.AddHead(p);
    }

    void Save(const std::string& strRelative)
    {
        const std::string strPath = g_strRoot + "\\" + strRelative;
        bool bOk = true;
        try
        {
            m_pDoc->ApplyElementSettings();
            CFile file(strPath.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
            CArchive ar(&file, CArchive::store);
            ar.m_pDocument = m_pDoc.get();
            m_pDoc->Serialize(ar);
            ar.Close();
            file.Close();
        }
        catch (CException* e)
        {
            e->Delete();
            bOk = false;
        }
        Report(strPath, bOk);
    }

private:
    std::unique_ptr<CVarnelDoc> m_pDoc;
};

const DWORD kNavy = 0xFF1F3A68;
const DWORD kRed = 0xFFC0392B;
const DWORD kWhite = 0xFFFFFFFF;
const DWORD kGrey = 0xFF606060;

// Templates: one design per file; the extension names the category.
void MakeTemplates()
{
    {
        CDesign d(typeLabel, 400, 200);
        d.Shape<CRectRound>(5, 5, 395, 195, 0, kWhite, kWhite, kNavy, 2);
        d.Shape<CRectangle>(5, 5, 60, 195, 28, 0xFF9CC3F0, kNavy, kNavy, 0);
        d.Text(75, 25, 385, 60, "Your Name", "Arial", 14, true, kNavy, 0);
        d.Text(75, 65, 385, 175, "123 Any Street\r\nSpringfield, ST 12345", "Arial", 11, false, 0xFF303030, 0);
        d.Save("Templates\\Address Label.lbft");
    }
    {
        CDesign d(typeLabel, 400, 300);
        d.Shape<CRectangle>(0, 0, 400, 45, 1, kRed, kRed, kRed, 0);
        d.Text(10, 5, 390, 40, "SHIP TO", "Arial", 16, true, kWhite);
        d.Text(20, 60, 380, 200, "Recipient Name\r\nStreet and Number\r\nCity, State ZIP", "Arial", 13, false,
               0xFF202020, 0);
        d.Line(20, 215, 380, 215, kGrey, 2);
        d.Text(20, 225, 380, 290, "From: Sender, Street, City", "Arial", 9, false, kGrey, 0);
        d.Save("Templates\\Shipping Label.lbft");
    }
    {
        CDesign d(typeBadge, 400, 300);
        d.Shape<CRectangle>(0, 0, 400, 80, 28, 0xFF3A7BD5, 0xFF00D2FF, 0xFF3A7BD5, 0);
        d.Text(10, 10, 390, 70, "HELLO my name is", "Arial", 16, true, kWhite);
        d.Text(10, 110, 390, 210, "Name", "Arial", 28, true, 0xFF202020);
        d.Text(10, 230, 390, 280, "Company", "Arial", 12, false, kGrey);
        d.Save("Templates\\Conference Badge.bdgt");
    }
    {
        CDesign d(typeBadge, 350, 225);
        d.Shape<CRectRound>(5, 5, 345, 220, 0, kWhite, kWhite, 0xFF2E8B57, 3);
        d.Shape<CShapeStar>(15, 15, 75, 75, 37, 0xFFFFC107, 0xFFFFF3C4, 0xFFB8860B, 1);
        d.Text(85, 20, 335, 70, "VISITOR", "Arial", 20, true, 0xFF2E8B57, 0);
        d.Text(20, 95, 330, 160, "Visitor Name", "Arial", 18, true, 0xFF202020);
        d.Text(20, 170, 330, 210, "Date", "Arial", 10, false, kGrey);
        d.Save("Templates\\Visitor Badge.bdgt");
    }
    {
        CDesign d(typeEnvelope, 950, 412);
        d.Text(30, 25, 400, 110, "Sender Name\r\nStreet and Number\r\nCity, State ZIP", "Arial", 9, false,
               kGrey, 0);
        d.Shape<CRectangle>(830, 25, 920, 125, 0, kWhite, kWhite, kGrey, 1)->m_nDashStyle = 1;
        d.Text(380, 180, 880, 330, "Recipient Name\r\nStreet and Number\r\nCity, State ZIP", "Arial", 12,
               false, 0xFF202020, 0);
        d.Save("Templates\\Business Envelope.enft");
    }
    {
        CDesign d(typeEnvelope, 725, 525);
        d.Shape<CRectangle>(0, 0, 725, 40, 28, 0xFFF7D9E3, 0xFFD6336C, 0xFFD6336C, 0);
        d.Shape<CShapeStar>(30, 70, 110, 150, 1, 0xFFD6336C, 0xFFD6336C, 0xFFD6336C, 0);
        d.Text(180, 220, 680, 400, "Guest Name\r\nStreet and Number\r\nCity, State ZIP", "Times New Roman", 14,
               false, 0xFF402030, 0);
        d.Save("Templates\\Invitation Envelope.enft");
    }
    {
        CDesign d(typePostcard, 600, 400);
        d.Shape<CRectangle>(0, 0, 600, 400, 29, 0xFFE8F4FF, 0xFF7FB3E6, 0xFF7FB3E6, 0);
        d.Shape<CShapeSun>(440, 30, 560, 150, 37, 0xFFFFB300, 0xFFFFF176, 0xFFFF8F00, 1);
        d.Text(30, 150, 570, 260, "Greetings from Home", "Times New Roman", 30, true, 0xFF0D47A1);
        d.Text(30, 280, 570, 350, "Wish you were here!", "Arial", 14, false, 0xFF1565C0);
        d.Save("Templates\\Greetings Postcard.post");
    }
    {
        CDesign d(typePostcard, 550, 425);
        d.Shape<CRectangle>(10, 10, 540, 415, 0, kWhite, kWhite, kRed, 3);
        d.Line(275, 40, 275, 385, kGrey, 1)->m_nLineDirection = 1;
        d.Text(30, 40, 260, 380, "Dear friend,\r\n\r\nwrite your message here.", "Times New Roman", 12, false,
               0xFF303030, 0);
        d.Shape<CRectangle>(450, 40, 520, 120, 0, kWhite, kWhite, kGrey, 1)->m_nDashStyle = 1;
        d.Line(300, 220, 520, 220, kGrey, 1);
        d.Line(300, 270, 520, 270, kGrey, 1);
        d.Line(300, 320, 520, 320, kGrey, 1);
        d.Save("Templates\\Message Postcard.post");
    }
    {
        CDesign d(typeLetterhead, 850, 1100);
        d.Shape<CRectangle>(0, 0, 850, 140, 28, 0xFFFFFFFF, kNavy, kNavy, 0);
        d.Text(60, 30, 790, 90, "Company Name", "Times New Roman", 28, true, kWhite, 0);
        d.Text(60, 90, 790, 125, "Street and Number  |  City, State ZIP  |  (555) 010-0100", "Arial", 9, false,
               0xFFDDE6F0, 0);
        d.Line(60, 1030, 790, 1030, kNavy, 2);
        d.Text(60, 1040, 790, 1075, "www.example.com", "Arial", 9, false, kNavy);
        d.Save("Templates\\Classic Letterhead.lhft");
    }
    {
        CDesign d(typeLetterhead, 850, 1100);
        d.Shape<CCircle>(640, 30, 800, 190, 37, 0xFF00897B, 0xFF80CBC4, 0xFF00897B, 0);
        d.Text(60, 60, 620, 120, "Your Name", "Arial", 24, true, 0xFF00695C, 0);
        d.Text(60, 120, 620, 160, "Title  -  Department", "Arial", 11, false, kGrey, 0);
        d.Shape<CRectangle>(0, 1060, 850, 1100, 1, 0xFF00897B, 0xFF00897B, 0xFF00897B, 0);
        d.Save("Templates\\Modern Letterhead.lhft");
    }
    {
        CDesign d(typeFlyer, 850, 1100);
        d.Shape<CRectangle>(0, 0, 850, 1100, 28, 0xFFFFF8E1, 0xFFFFCC80, 0xFFFFCC80, 0);
        d.Shape<CShapeExplosion>(520, 40, 810, 300, 1, 0xFFE53935, 0xFFE53935, 0xFFB71C1C, 2);
        d.Text(560, 120, 770, 220, "FREE!", "Arial", 28, true, kWhite);
        d.Text(50, 320, 800, 480, "Event Title", "Arial", 48, true, 0xFF4E342E);
        d.Text(50, 500, 800, 620, "Date and Time\r\nPlace", "Arial", 22, false, 0xFF6D4C41);
        d.Text(50, 700, 800, 950, "Tell people what happens, who is welcome and what to bring.", "Arial", 16,
               false, 0xFF5D4037);
        d.Save("Templates\\Event Flyer.flyt");
    }
    {
        CDesign d(typeFlyer, 850, 1100);
        d.Shape<CRectangle>(40, 40, 810, 1060, 0, kWhite, kWhite, kRed, 8);
        d.Text(60, 80, 790, 260, "SALE", "Arial", 72, true, kRed);
        d.Shape<CShapeArrowR>(100, 300, 750, 450, 25, 0xFFFFEB3B, 0xFFFF9800, 0xFFE65100, 2);
        d.Text(60, 500, 790, 650, "Up to 50% off", "Arial", 36, true, 0xFF212121);
        d.Text(60, 700, 790, 900, "Everything must go.\r\nOpen Monday to Saturday.", "Arial", 18, false, kGrey);
        d.Save("Templates\\Sale Flyer.flyt");
    }
    {
        CDesign d(typeSign, 1100, 850);
        d.Shape<CRectRound>(40, 40, 1060, 810, 1, 0xFF2E7D32, 0xFF2E7D32, 0xFF1B5E20, 6);
        d.Text(80, 200, 1020, 560, "OPEN", "Arial", 120, true, kWhite);
        d.Text(80, 600, 1020, 740, "Come in!", "Arial", 36, false, 0xFFC8E6C9);
        d.Save("Templates\\Open Sign.sgnt");
    }
    {
        CDesign d(typeSign, 850, 1100);
        d.Shape<CRectangle>(30, 30, 820, 1070, 0, kWhite, kWhite, 0xFFF9A825, 12);
        d.Shape<CTriangle>(275, 90, 575, 350, 1, 0xFFFBC02D, 0xFFFBC02D, 0xFF212121, 6);
        d.Text(375, 170, 475, 330, "!", "Arial", 72, true, 0xFF212121);
        d.Text(60, 400, 790, 560, "NOTICE", "Arial", 64, true, 0xFF212121);
        d.Text(60, 620, 790, 960, "Write your message here.", "Arial", 28, false, 0xFF424242);
        d.Save("Templates\\Notice Sign.sgnt");
    }
}

void MakeSamples(const CPicture& smallMeadow, const CPicture& smallConfetti, const CPicture& star,
                 const CPicture& balloons)
{
    {
        // Bound to the address list beside it: one label per record.
        CDesign d(typeLabel, 400, 200);
        d.Doc().m_strDataSource = "type=delimitedtext::file=Addresses.csv::delimiter=,::hascolnames=yes";
        d.Shape<CRectRound>(5, 5, 395, 195, 0, kWhite, kWhite, kNavy, 2);
        d.DbText(25, 20, 375, 60, 0, "Name", 14, true);
        d.DbText(25, 65, 375, 100, 1, "Street", 11, false);
        d.DbText(25, 100, 375, 135, 2, "City", 11, false);
        d.DbText(25, 135, 200, 170, 3, "State", 11, false);
        d.DbText(200, 135, 375, 170, 4, "ZIP", 11, false);
        d.Save("Samples\\Address Labels.labf");
    }
    {
        CDesign d(typeBadge, 400, 300);
        d.Background(smallMeadow);
        d.Shape<CRectRound>(30, 90, 370, 230, 1, 0xE6FFFFFF, 0xE6FFFFFF, 0xFF2E7D32, 2);
        d.Text(10, 15, 390, 75, "Garden Club Meeting", "Arial", 16, true, 0xFF1B5E20);
        d.Text(40, 100, 360, 180, "Alex Morgan", "Arial", 26, true, 0xFF202020);
        d.Text(40, 180, 360, 220, "Volunteer", "Arial", 12, false, 0xFF2E7D32);
        d.Save("Samples\\Garden Badge.labf");
    }
    {
        CDesign d(typeFlyer, 850, 1100);
        d.Background(smallConfetti);
        d.ClipArt(balloons, 560, 40, 810, 290);
        d.ClipArt(star, 60, 60, 200, 200);
        d.Text(50, 300, 800, 460, "Birthday Party!", "Arial", 44, true, 0xFFC2185B);
        d.Text(50, 480, 800, 620, "Saturday, 3 pm\r\nCommunity Hall", "Arial", 24, false, 0xFF4A148C);
        CCalloutBL* pCallout = d.Shape<CCalloutBL>(420, 700, 800, 900, 1, kWhite, kWhite, 0xFF6A1B9A, 3);
        pCallout->m_bShadow = TRUE;
        d.Text(440, 720, 780, 840, "Cake, games\r\nand music!", "Arial", 20, true, 0xFF6A1B9A);
        d.Shape<CShapeMoon>(80, 720, 240, 900, 37, 0xFFFFF59D, 0xFFFFFDE7, 0xFFF9A825, 1);
        d.Save("Samples\\Party Flyer.labf");
    }
    {
        CDesign d(typePostcard, 600, 400);
        d.Shape<CRectangle>(0, 0, 600, 400, 28, 0xFFFFF3E0, 0xFFFFB74D, 0xFFFFB74D, 0);
        d.Shape<CShapeSun>(40, 40, 200, 200, 37, 0xFFFF9800, 0xFFFFEB3B, 0xFFF57C00, 1);
        d.Text(220, 60, 580, 200, "Summer\r\nGreetings", "Times New Roman", 32, true, 0xFFBF360C);
        d.Text(40, 260, 580, 360, "Sunny days and warm wishes from all of us.", "Arial", 14, false, 0xFF5D4037);
        d.Save("Samples\\Summer Postcard.labf");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: make_content <content folder>\n");
        return 2;
    }
    g_strRoot = argv[1];
    for (const char* pszFolder : { "Templates", "BackGrounds", "Graphics", "Samples" })
        ::CreateDirectoryA((g_strRoot + "\\" + pszFolder).c_str(), NULL);

    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, NULL) != Ok)
    {
        fprintf(stderr, "make_content: GDI+ does not start\n");
        return 1;
    }
    {
        SavePicture(SkyBackground(800, 600).pBitmap.get(), "BackGrounds\\Blue Sky.jpg", L"image/jpeg");
        SavePicture(SunsetBackground(800, 600).pBitmap.get(), "BackGrounds\\Sunset.jpg", L"image/jpeg");
        SavePicture(MeadowBackground(800, 600).pBitmap.get(), "BackGrounds\\Meadow.png", L"image/png");
        SavePicture(ConfettiBackground(600, 800).pBitmap.get(), "BackGrounds\\Confetti.png", L"image/png");
        SavePicture(ParchmentBackground(600, 800).pBitmap.get(), "BackGrounds\\Parchment.jpg", L"image/jpeg");

        const CPicture star = StarArt(), balloons = BalloonsArt();
        SavePicture(star.pBitmap.get(), "Graphics\\Star.png", L"image/png");
        SavePicture(HeartArt().pBitmap.get(), "Graphics\\Heart.png", L"image/png");
        SavePicture(FlowerArt().pBitmap.get(), "Graphics\\Flower.png", L"image/png");
        SavePicture(HouseArt().pBitmap.get(), "Graphics\\House.png", L"image/png");
        SavePicture(EnvelopeArt().pBitmap.get(), "Graphics\\Envelope.png", L"image/png");
        SavePicture(balloons.pBitmap.get(), "Graphics\\Balloons.png", L"image/png");

        MakeTemplates();
        // Pictures inside a publication are stored pixel by pixel: small ones keep the
        // samples small.
        MakeSamples(MeadowBackground(240, 180), ConfettiBackground(180, 240), Shrunk(star, 96, 96),
                    Shrunk(balloons, 128, 128));
    }
    GdiplusShutdown(token);
    return g_nFailures == 0 ? 0 : 1;
}
