// ExtPaintManagerGlyphs.cpp - the glyph set of the framework.
//
// Pictures: '.' index 0 (transparent), '#' index 1, 'o' index 2, '+' index 3, rows from
// the top. Rotated glyphs are made right after the glyph they come from.

#include "stdafx.h"
#include "ExtPaintManager.h"

#include <string.h>
#include <vector>

namespace
{

typedef CExtPaintManager::GlyphMatrix_t Glyph;

// Indexes of a picture string of w x h characters.
std::vector<UINT> Indexes(int nWidth, int nHeight, const char* pszPicture)
{
    std::vector<UINT> data((size_t)nWidth * nHeight, 0);
    size_t nLen = strlen(pszPicture);
    for (size_t i = 0; i < data.size() && i < nLen; i++)
    {
        switch (pszPicture[i])
        {
        case '#': data[i] = 1; break;
        case 'o': data[i] = 2; break;
        case '+': data[i] = 3; break;
        default: data[i] = 0; break;
        }
    }
    return data;
}

// Each glyph is built from its picture when the static object is made.
struct PictureGlyph : Glyph
{
    PictureGlyph(int nWidth, int nHeight, int nColors, const char* pszPicture)
        : Glyph(nWidth, nHeight, nColors, Indexes(nWidth, nHeight, pszPicture).data())
    {
    }
};

#define ROW9_BLANK "........."

const PictureGlyph g0(9, 9, 2, ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK
                               ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK);
const PictureGlyph g1(9, 9, 2, "........." ".##....##" "..##..##." "...####.." "....##..."
                               "...####.." "..##..##." ".##....##" ".........");
const PictureGlyph g2(9, 9, 2, "........." "........." "....#...." "...###..." "..#####.."
                               ".#######." "........." "........." ".........");
const Glyph g3(g2, 180);
const Glyph g4(g2, 270);
const Glyph g5(g4, 180);
const PictureGlyph g6(9, 9, 2, ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK
                               ROW9_BLANK ".#######." ".#######." ".........");
const PictureGlyph g7(9, 9, 2, "..######." "..#....#." "######.#." "######.#." "#....###."
                               "#....#..." "#....#..." "######..." ".........");
const PictureGlyph g8(9, 9, 2, "#########" "#########" "#.......#" "#.......#" "#.......#"
                               "#.......#" "#.......#" "#.......#" "#########");
const PictureGlyph g9(9, 9, 2, "...####.." "..##..##." "..##..##." ".....##.." "....##..."
                               "....##..." "........." "....##..." "....##...");
const PictureGlyph g10(9, 9, 2, "..#####.." "..#..##.." "..#..##.." "..#..##.." "..#..##.."
                                ".#######." "....#...." "....#...." ".........");
const Glyph g11(g10, 90);
const PictureGlyph g12(9, 9, 2, "....#...." "...###..." "..#####.." ".#######." "#########"
                                "..#####.." "..#####.." "..#####.." ".........");
const Glyph g13(g12, 180);
const Glyph g14(g12, 270);
const Glyph g15(g14, 180);
const PictureGlyph g16(9, 9, 2, "........." ".#.....#." "..#...#.." "...#.#..." "....#...."
                                "...#.#..." "..#...#.." ".#.....#." ".........");
const PictureGlyph g17(9, 9, 2, "........." "........." "....#...." "...#.#..." "..#...#.."
                                ".#.....#." "#########" "........." ".........");
const Glyph g18(g17, 180);
const Glyph g19(g17, 270);
const Glyph g20(g19, 180);
const PictureGlyph g21(9, 9, 2, "........." ".##...##." "..##.##.." "...###..." "...###..."
                                "..##.##.." ".##...##." "........." ".........");
const PictureGlyph g22(9, 9, 2, "........." "........." "....#...." "....#...." "..#####.."
                                "....#...." "....#...." "........." ".........");
const PictureGlyph g23(9, 9, 2, ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK "..#####.."
                                ROW9_BLANK ROW9_BLANK ROW9_BLANK ROW9_BLANK);
const PictureGlyph g24(9, 9, 2, "#########" "#.......#" "#...#...#" "#...#...#" "#.#####.#"
                                "#...#...#" "#...#...#" "#.......#" "#########");
const PictureGlyph g25(9, 9, 2, "#########" "#.......#" "#.......#" "#.......#" "#.#####.#"
                                "#.......#" "#.......#" "#.......#" "#########");
const PictureGlyph g26(9, 9, 2, "..#####.." ".#.....#." "#...#...#" "#...#...#" "#.#####.#"
                                "#...#...#" "#...#...#" ".#.....#." "..#####..");
const PictureGlyph g27(9, 9, 2, "..#####.." ".#.....#." "#.......#" "#.......#" "#.#####.#"
                                "#.......#" "#.......#" ".#.....#." "..#####..");
const PictureGlyph g28(11, 11, 2, ".....#....." "....###...." "...#####..." "..#######.."
                                  ".#########." "###########" "...#####..." "...#####..."
                                  "...#####..." "...#####..." "...........");
const Glyph g29(g28, 180);
const Glyph g30(g28, 270);
const Glyph g31(g30, 180);
const PictureGlyph g32(11, 11, 2, "########..." "#######...." "######....." "######....."
                                  "#######...." "########..." "##..#####.." "#....###..."
                                  "......#...." "..........." "...........");
const Glyph g33(g32, 90);
const Glyph g34(g33, 90);
const Glyph g35(g34, 90);
const PictureGlyph g36(5, 3, 2, "..#.." ".###." "#####");
const Glyph g37(g36, 180);
const Glyph g38(g36, 270);
const Glyph g39(g38, 180);
const PictureGlyph g40(9, 3, 2, "........." ".#..#..#." ".........");
const PictureGlyph g41(10, 10, 4, "....##...." "....##...." "...#+##..." "...+..#..."
                                  "..##..##.." "..+....#.." ".##....##." ".+......#."
                                  "##......##" "#ooooooooo");
const PictureGlyph g42(10, 10, 4, "+++++++++o" "##......oo" ".+......o." ".##....oo."
                                  "..+....o.." "..##..oo.." "...+..o..." "...#+oo..."
                                  "....#o...." "....#o....");
const Glyph g43(g42, 90);
const Glyph g44(g41, 90);
const PictureGlyph g45(7, 7, 2, "#######" "#######" "......." "#######" ".#####." "..###.."
                                "...#...");
const PictureGlyph g46(7, 12, 2, "##.##.." ".##.##." "..##.##" ".##.##." "##.##.." "......."
                                 "......." "......." "......." ".#####." "..###.." "...#...");
const PictureGlyph g47(9, 9, 3, "#########" "#ooooooo#" "#ooo#ooo#" "#ooo#ooo#" "#o#####o#"
                                "#ooo#ooo#" "#ooo#ooo#" "#ooooooo#" "#########");
const PictureGlyph g48(9, 9, 3, "#########" "#ooooooo#" "#ooooooo#" "#ooooooo#" "#o#####o#"
                                "#ooooooo#" "#ooooooo#" "#ooooooo#" "#########");

#define SUBMENU_ARROW_ROWS                                                                  \
    "......#....." "......##...." "......###..." "......####.." "......#####." "......######" \
    "......#####." "......####.." "......###..." "......##...." "......#....."
#define SUBMENU_ARROW_BAR_ROWS                                                              \
    "#.....#....." "#.....##...." "#.....###..." "#.....####.." "#.....#####." "#.....######" \
    "#.....#####." "#.....####.." "#.....###..." "#.....##...." "#.....#....."

} // namespace

const CExtPaintManager::GlyphMatrix_t* const CExtPaintManager::g_arrGlyphs[GLYPH_COUNT] = {
    &g0,  &g1,  &g2,  &g3,  &g4,  &g5,  &g6,  &g7,  &g8,  &g9,  &g10, &g11, &g12,
    &g13, &g14, &g15, &g16, &g17, &g18, &g19, &g20, &g21, &g22, &g23, &g24, &g25,
    &g26, &g27, &g28, &g29, &g30, &g31, &g32, &g33, &g34, &g35, &g36, &g37, &g38,
    &g39, &g40, &g41, &g42, &g43, &g44, &g45, &g46, &g47, &g48
};

namespace
{

const PictureGlyph gArrowH(5, 3, 2, "#####" ".###." "..#..");
const PictureGlyph gArrowBarH(5, 6, 2, "#####" "....." "....." "#####" ".###." "..#..");
const PictureGlyph gExpandH(8, 5, 2, "##..##.." ".##..##." "..##..##" ".##..##." "##..##..");
const PictureGlyph gExpandSmallH(6, 5, 2, "......" "#...#." "##..##" "#...#." "......");
const PictureGlyph gSubMenuArrow(12, 16, 2, "............" "............" "............"
                                 SUBMENU_ARROW_ROWS "............" "............");
const PictureGlyph gSubMenuArrowBar(12, 16, 2, "#..........." "#..........." "#..........."
                                    SUBMENU_ARROW_BAR_ROWS "#..........." "#...........");

} // namespace

const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronArrowH(gArrowH);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronArrowBarH(gArrowBarH);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronExpandH(gExpandH);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronExpandSmallH(gExpandSmallH);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronArrowV(gArrowH, 90);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronArrowBarV(gArrowBarH, 90);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphDropDownArrowV(gArrowH, 270);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphSpareArrowBarV(gArrowBarH, 270);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronExpandV(gExpandH, 90);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphChevronExpandSmallV(gExpandSmallH,
                                                                                   90);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphSubMenuArrow(gSubMenuArrow);
const CExtPaintManager::GlyphMatrix_t CExtPaintManager::g_glyphSubMenuArrowBar(gSubMenuArrowBar);

const CExtPaintManager::GlyphMatrix_t& CExtPaintManager::GetGlyph(int nIndex)
{
    if (nIndex < 0 || nIndex >= GLYPH_COUNT)
        nIndex = 0;
    return *g_arrGlyphs[nIndex];
}
