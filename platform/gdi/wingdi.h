// GDI as the programs call it: device contexts, pens, brushes, fonts,
// bitmaps, regions, mapping modes, text, lines, boxes, bit blits and printer
// documents. Drawn with cairo; Shift-JIS text is converted only here.
#pragma once

#include "platform/types.h"

// --- Stock objects (GetStockObject) --------------------------------------
enum : int {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    DKGRAY_BRUSH = 3,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    HOLLOW_BRUSH = NULL_BRUSH,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    OEM_FIXED_FONT = 10,
    ANSI_FIXED_FONT = 11,
    ANSI_VAR_FONT = 12,
    SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14,
    SYSTEM_FIXED_FONT = 16,
    DEFAULT_GUI_FONT = 17,
};

// --- Object types (GetObjectType) ----------------------------------------
enum : DWORD {
    OBJ_PEN = 1,
    OBJ_BRUSH = 2,
    OBJ_DC = 3,
    OBJ_FONT = 6,
    OBJ_BITMAP = 7,
    OBJ_REGION = 8,
    OBJ_MEMDC = 10,
};

// --- Pens -----------------------------------------------------------------
enum : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
    PS_INSIDEFRAME = 6,
};

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;  // only x is used
    COLORREF lopnColor;
};

// --- Brushes --------------------------------------------------------------
enum : UINT {
    BS_SOLID = 0,
    BS_NULL = 1,
    BS_HOLLOW = BS_NULL,
    BS_HATCHED = 2,
    BS_PATTERN = 3,
};

enum : int {
    HS_HORIZONTAL = 0,
    HS_VERTICAL = 1,
    HS_FDIAGONAL = 2,
    HS_BDIAGONAL = 3,
    HS_CROSS = 4,
    HS_DIAGCROSS = 5,
};

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

// --- Fonts ----------------------------------------------------------------
enum : int { LF_FACESIZE = 32 };

enum : LONG {
    FW_DONTCARE = 0,
    FW_THIN = 100,
    FW_LIGHT = 300,
    FW_NORMAL = 400,
    FW_REGULAR = 400,
    FW_MEDIUM = 500,
    FW_SEMIBOLD = 600,
    FW_BOLD = 700,
    FW_HEAVY = 900,
};

enum : BYTE {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    SHIFTJIS_CHARSET = 128,
    OEM_CHARSET = 255,
};

enum : BYTE {
    OUT_DEFAULT_PRECIS = 0,
    OUT_STRING_PRECIS = 1,
    OUT_CHARACTER_PRECIS = 2,
    OUT_STROKE_PRECIS = 3,
    OUT_TT_PRECIS = 4,
    OUT_DEVICE_PRECIS = 5,
    OUT_RASTER_PRECIS = 6,
    OUT_TT_ONLY_PRECIS = 7,
    CLIP_DEFAULT_PRECIS = 0,
    CLIP_CHARACTER_PRECIS = 1,
    CLIP_STROKE_PRECIS = 2,
    DEFAULT_QUALITY = 0,
    DRAFT_QUALITY = 1,
    PROOF_QUALITY = 2,
    DEFAULT_PITCH = 0,
    FIXED_PITCH = 1,
    VARIABLE_PITCH = 2,
    FF_DONTCARE = 0x00,
    FF_ROMAN = 0x10,
    FF_SWISS = 0x20,
    FF_MODERN = 0x30,
    FF_SCRIPT = 0x40,
    FF_DECORATIVE = 0x50,
};

// tmPitchAndFamily bits: note that TMPF_FIXED_PITCH set means variable pitch.
enum : BYTE {
    TMPF_FIXED_PITCH = 0x01,
    TMPF_VECTOR = 0x02,
    TMPF_TRUETYPE = 0x04,
    TMPF_DEVICE = 0x08,
};

struct LOGFONTA {
    LONG lfHeight;  // > 0 cell height, < 0 character (em) height, 0 default
    LONG lfWidth;   // average character width, 0 = half the em height
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];  // Shift-JIS
};

struct TEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};

// --- Bitmaps --------------------------------------------------------------
struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

// --- Background, text alignment, raster operations ------------------------
enum : int {
    TRANSPARENT = 1,
    OPAQUE = 2,
};

enum : UINT {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};

enum : UINT {
    ETO_OPAQUE = 0x0002,
    ETO_CLIPPED = 0x0004,
};

// Binary raster operations (SetROP2): how the pen or brush colour P meets
// the destination D.
enum : int {
    R2_BLACK = 1,
    R2_NOTMERGEPEN = 2,
    R2_MASKNOTPEN = 3,
    R2_NOTCOPYPEN = 4,
    R2_MASKPENNOT = 5,
    R2_NOT = 6,
    R2_XORPEN = 7,
    R2_NOTMASKPEN = 8,
    R2_MASKPEN = 9,
    R2_NOTXORPEN = 10,
    R2_NOP = 11,
    R2_MERGENOTPEN = 12,
    R2_COPYPEN = 13,
    R2_MERGEPENNOT = 14,
    R2_MERGEPEN = 15,
    R2_WHITE = 16,
};

// Ternary raster operations (BitBlt, StretchBlt, PatBlt).
enum : DWORD {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328,
    NOTSRCCOPY = 0x00330008,
    NOTSRCERASE = 0x001100A6,
    MERGECOPY = 0x00C000CA,
    MERGEPAINT = 0x00BB0226,
    PATCOPY = 0x00F00021,
    PATPAINT = 0x00FB0A09,
    PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
};

enum : int {
    BLACKONWHITE = 1,
    WHITEONBLACK = 2,
    COLORONCOLOR = 3,
    HALFTONE = 4,
};

// --- Mapping modes --------------------------------------------------------
enum : int {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8,
};

// --- Regions --------------------------------------------------------------
enum : int {
    ERROR = 0,
    NULLREGION = 1,
    SIMPLEREGION = 2,
    COMPLEXREGION = 3,
};

enum : int {
    RGN_AND = 1,
    RGN_OR = 2,
    RGN_XOR = 3,
    RGN_DIFF = 4,
    RGN_COPY = 5,
};

// --- Device capabilities (GetDeviceCaps) ----------------------------------
enum : int {
    DRIVERVERSION = 0,
    TECHNOLOGY = 2,
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    NUMBRUSHES = 16,
    NUMPENS = 18,
    NUMFONTS = 22,
    NUMCOLORS = 24,
    ASPECTX = 40,
    ASPECTY = 42,
    ASPECTXY = 44,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    SIZEPALETTE = 104,
    NUMRESERVED = 106,
    COLORRES = 108,
    PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
    RASTERCAPS = 38,
};

enum : int {
    DT_PLOTTER = 0,
    DT_RASDISPLAY = 1,
    DT_RASPRINTER = 2,
};

enum : int {
    RC_BITBLT = 0x0001,
    RC_BITMAP64 = 0x0008,
    RC_STRETCHBLT = 0x0800,
};

// --- Printer device modes and documents -----------------------------------
enum : int { CCHDEVICENAME = 32, CCHFORMNAME = 32 };

enum : DWORD {
    DM_ORIENTATION = 0x00000001,
    DM_PAPERSIZE = 0x00000002,
    DM_PAPERLENGTH = 0x00000004,
    DM_PAPERWIDTH = 0x00000008,
    DM_COPIES = 0x00000100,
};

enum : short {
    DMORIENT_PORTRAIT = 1,
    DMORIENT_LANDSCAPE = 2,
};

enum : short {
    DMPAPER_LETTER = 1,
    DMPAPER_A3 = 8,
    DMPAPER_A4 = 9,
    DMPAPER_A5 = 11,
    DMPAPER_B4 = 12,  // JIS B4, 257 x 364 mm
    DMPAPER_B5 = 13,  // JIS B5, 182 x 257 mm
};

struct DEVMODEA {
    BYTE dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;  // tenths of a millimetre, with DM_PAPERLENGTH
    short dmPaperWidth;   // tenths of a millimetre, with DM_PAPERWIDTH
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    BYTE dmFormName[CCHFORMNAME];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
};

using ABORTPROC = BOOL (*)(HDC, int);

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;  // a file to print to instead of the print manager
    LPCSTR lpszDatatype;
    DWORD fwType;
};

enum : int {
    SP_ERROR = -1,
    SP_APPABORT = -2,  // the abort procedure returned FALSE: the job is gone
};

// --- Device contexts ------------------------------------------------------
// "DISPLAY" as the driver gives a screen context; any other driver names a
// printer (a PDF printer of the print manager). An information context
// answers questions but has no drawing surface.
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode);
HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode);
HDC CreateCompatibleDC(HDC dc);
HDC ResetDCA(HDC dc, const DEVMODEA* mode);
BOOL DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int saved);

// --- Objects --------------------------------------------------------------
HGDIOBJ GetStockObject(int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
BOOL DeleteObject(HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
DWORD GetObjectType(HGDIOBJ object);
HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateHatchBrush(int hatch, COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face);
HFONT CreateFontIndirectA(const LOGFONTA* font);

// --- Attributes -----------------------------------------------------------
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF colour);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);

// --- Mapping --------------------------------------------------------------
int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetWindowOrgEx(HDC dc, POINT* origin);
BOOL SetWindowExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL GetWindowExtEx(HDC dc, SIZE* extent);
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC dc, POINT* origin);
BOOL SetViewportExtEx(HDC dc, int x, int y, SIZE* previous);
BOOL GetViewportExtEx(HDC dc, SIZE* extent);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous);
BOOL LPtoDP(HDC dc, POINT* points, int count);
BOOL DPtoLP(HDC dc, POINT* points, int count);

// --- Lines and shapes -----------------------------------------------------
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipse_width, int ellipse_height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC dc, int x, int y);

enum : COLORREF { CLR_INVALID = 0xFFFFFFFF };

// --- Text -----------------------------------------------------------------
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length,
                 const INT* dx);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, SIZE* size);
BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int length, SIZE* size);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
int GetTextFaceA(HDC dc, int size, LPSTR face);

// --- Bitmaps and bit blits ------------------------------------------------
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Looks a bitmap up among those registered with register_bitmap_resource,
// without regard to case. The instance is not used.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                int source_width, int source_height, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

// --- Regions and clipping -------------------------------------------------
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int CombineRgn(HRGN dest, HRGN first, HRGN second, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, RECT* box);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
int SelectClipRgn(HDC dc, HRGN region);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int GetClipBox(HDC dc, RECT* box);
int GetClipRgn(HDC dc, HRGN region);

// --- Printing -------------------------------------------------------------
int StartDocA(HDC dc, const DOCINFOA* info);
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int SetAbortProc(HDC dc, ABORTPROC procedure);

BOOL GdiFlush();
