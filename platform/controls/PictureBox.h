#pragma once
// A picture box: a container with a drawing surface. With AutoRedraw the drawing goes to
// a persistent bitmap whose DC is hDC (and is shown on every repaint); without it hDC is
// the window's own DC and the Paint event redraws. The control's font is always selected
// in hDC. Coordinates are in the box's scale (twips, pixels or a user scale).
#include <string>

#include "platform/forms/BackingBitmap.h"
#include "platform/forms/Control.h"

namespace platform::forms {

enum ScaleModeConstants {
    vbUser = 0, vbTwips = 1, vbPoints = 2, vbPixels = 3, vbCharacters = 4, vbInches = 5, vbMillimeters = 6,
    vbCentimeters = 7
};

class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, int index = -1);
    ~PictureBox() override;

    HDC hDC();
    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool v);
    // 0 none, 1 fixed single (design time).
    void BorderStyle(int v) { border_ = v; }
    // An HBITMAP or HICON shown under the drawing (not owned); nullptr for none.
    void Picture(HANDLE picture, bool isIcon = false);
    HANDLE Picture() const { return picture_; }

    int ScaleMode() const { return scaleMode_; }
    void ScaleMode(int mode);
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const;
    double ScaleHeight() const;
    void ScaleLeft(double v) { UserScale(); scaleLeft_ = v; }
    void ScaleTop(double v) { UserScale(); scaleTop_ = v; }
    void ScaleWidth(double v);
    void ScaleHeight(double v);
    // Scale(x1, y1)-(x2, y2): a user scale over the whole inner area.
    void Scale(double x1, double y1, double x2, double y2);
    // Scale to device pixels and back, relative to the inner area.
    int XToPixels(double x) const;
    int YToPixels(double y) const;
    double PixelsToX(int px) const;
    double PixelsToY(int py) const;

    double CurrentX() const { return curX_; }
    void CurrentX(double v) { curX_ = v; }
    double CurrentY() const { return curY_; }
    void CurrentY(double v) { curY_ = v; }
    int DrawWidth() const { return drawWidth_; }
    void DrawWidth(int v) { drawWidth_ = v < 1 ? 1 : v; }

    // Clears to the back colour (and the picture); CurrentX/Y go to the origin.
    void Cls();
    // Draws text at CurrentX/Y; with newline, CurrentY moves down a line and CurrentX
    // back to the left, otherwise CurrentX moves past the text.
    void Print(const std::string& text, bool newline = true);
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);
    void PSet(double x, double y, OleColor color);
    // Line from (x1,y1) to (x2,y2); box draws a rectangle, filled fills it.
    void Line(double x1, double y1, double x2, double y2, OleColor color, bool box = false, bool filled = false);
    // Line from CurrentX/Y.
    void LineTo(double x2, double y2, OleColor color);

    Event<> Paint;
    Event<> Click;
    Event<> Resize;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    void AfterCreate() override;
    void BeforeDestroy() override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool IsContainer() const override { return true; }
    void MouseToUnits(int px, int py, int& x, int& y) const override;
    void AfterMouseUp(int button) override
    {
        if (button == vbLeftButton)
            Click.Raise(Source("Click"));
    }

private:
    void UserScale();
    double UnitTwips(bool vertical) const;
    void ClientPixels(int& w, int& h) const;
    void EnsureBacking();
    void DropBacking();
    void DrawPicture(HDC dc);
    void Dirty();
    void SelectDrawFont(HDC dc);

    bool autoRedraw_ = false;
    int border_ = 1;
    HANDLE picture_ = nullptr;
    bool pictureIsIcon_ = false;
    int scaleMode_ = vbTwips;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleW_ = 0, scaleH_ = 0;
    double curX_ = 0, curY_ = 0;
    int drawWidth_ = 1;
    BackingBitmap backing_;
    HDC ownDC_ = nullptr;
};

}  // namespace platform::forms
