// A form with every standard control, read from a text form resource and shown, with a
// screenshot saved as demo.bmp beside the test program for people to look at.
#include "classlib/ClassRegistry.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/FormLoader.h"
#include "classlib/Menus.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"
#include "classlib/StdCtrls.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

class TDemoForm : public TForm {
    DECLARE_CLASS(TDemoForm, TForm)
public:
    explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {}

    TButton* BTN_Ok = nullptr;
    TComboBox* CB_Type = nullptr;
    TImage* IMG_Logo = nullptr;
    TBitBtn* BTN_Glyph = nullptr;
    TPaintBox* PB_Swatch = nullptr;
    TMainMenu* MNU_Main = nullptr;
    std::vector<std::string> Log;

    void BTN_OkClick(TObject*) { Log.push_back("ok"); }
    void CB_TypeChange(TObject*) { Log.push_back("type " + CB_Type->GetText()); }
    void PB_SwatchPaint(TObject*) {
        TCanvas* canvas = PB_Swatch->GetCanvas();
        canvas->GetBrush()->SetColor(clTeal);
        canvas->Ellipse(PB_Swatch->GetClientRect());
    }

    static void Published(TPropertyList& P) {
        P.Field("BTN_Ok", &TDemoForm::BTN_Ok);
        P.Field("CB_Type", &TDemoForm::CB_Type);
        P.Field("IMG_Logo", &TDemoForm::IMG_Logo);
        P.Field("BTN_Glyph", &TDemoForm::BTN_Glyph);
        P.Field("PB_Swatch", &TDemoForm::PB_Swatch);
        P.Field("MNU_Main", &TDemoForm::MNU_Main);
        P.Method("BTN_OkClick", &TDemoForm::BTN_OkClick);
        P.Method("CB_TypeChange", &TDemoForm::CB_TypeChange);
        P.Method("PB_SwatchPaint", &TDemoForm::PB_SwatchPaint);
    }
};

const char kDemoForm[] = R"(object DemoForm: TDemoForm
  Left = 40
  Top = 40
  Caption = 'Standard controls'
  ClientWidth = 480
  ClientHeight = 330
  Color = clBtnFace
  Menu = MNU_Main
  object MNU_Main: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
  object PNL_Top: TPanel
    Align = alTop
    Height = 34
    Caption = 'A raised panel with a caption'
    BevelInner = bvLowered
    BorderWidth = 2
  end
  object PNL_Left: TPanel
    Align = alLeft
    Top = 34
    Width = 150
    BevelOuter = bvNone
    object LBL_Name: TLabel
      Left = 8
      Top = 8
      Caption = '&Name:'
      FocusControl = ED_Name
    end
    object ED_Name: TEdit
      Left = 8
      Top = 26
      Width = 130
      Text = 'An edit field'
    end
    object LB_Pages: TListBox
      Left = 8
      Top = 54
      Width = 130
      Height = 80
      Items.Strings = (
        'Page one'
        'Page two'
        'Page three')
    end
    object CB_Type: TComboBox
      Left = 8
      Top = 142
      Width = 130
      Style = csDropDownList
      Items.Strings = (
        'Common Anode'
        'Common Cathode')
      OnChange = CB_TypeChange
    end
    object SB_Speed: TScrollBar
      Left = 8
      Top = 172
      Width = 130
      Max = 10
      Position = 4
    end
  end
  object SPL_Left: TSplitter
    Left = 150
    Top = 34
  end
  object GB_Options: TGroupBox
    Left = 160
    Top = 40
    Width = 150
    Height = 110
    Caption = 'Options'
    object CHK_Wires: TCheckBox
      Left = 10
      Top = 20
      Width = 120
      Caption = 'Show wires'
      State = cbChecked
    end
    object RB_Anode: TRadioButton
      Left = 10
      Top = 44
      Width = 120
      Caption = 'Anode'
      Checked = True
    end
    object RB_Cathode: TRadioButton
      Left = 10
      Top = 66
      Width = 120
      Caption = 'Cathode'
    end
  end
  object MM_Notes: TMemo
    Left = 320
    Top = 40
    Width = 150
    Height = 110
    Lines.Strings = (
      'A memo'
      'with two lines')
    ScrollBars = ssVertical
  end
  object BV_Line: TBevel
    Left = 160
    Top = 160
    Width = 310
    Height = 4
    Shape = bsTopLine
  end
  object IMG_Logo: TImage
    Left = 160
    Top = 172
    Width = 48
    Height = 48
    Stretch = True
  end
  object PB_Swatch: TPaintBox
    Left = 220
    Top = 172
    Width = 48
    Height = 48
    OnPaint = PB_SwatchPaint
  end
  object BTN_Glyph: TBitBtn
    Left = 280
    Top = 180
    Width = 90
    Height = 28
    Caption = 'Glyph'
  end
  object BTN_Ok: TButton
    Left = 380
    Top = 180
    Width = 90
    Height = 28
    Caption = 'OK'
    Default = True
    OnClick = BTN_OkClick
  end
end
)";

void FillBitmap(TBitmap& Bitmap, int Width, int Height, TColor Color) {
    Bitmap.SetSize(Width, Height);
    Bitmap.GetCanvas()->GetBrush()->SetColor(Color);
    Bitmap.GetCanvas()->FillRect(TRect(0, 0, Width, Height));
}

TEST(DemoFormTest, EveryStandardControlIsReadShownAndPhotographed) {
    RegisterClass(TDemoForm::StaticClass());
    std::vector<std::string> errors;
    Application->OnException = TExceptionEvent::FromCallable(
        [&](TObject*, const std::exception& E) { errors.push_back(E.what()); });
    auto* form = new TDemoForm(nullptr);
    ReadComponentText(kDemoForm, form, "demo form");
    ASSERT_NE(form->BTN_Ok, nullptr);
    ASSERT_NE(form->MNU_Main, nullptr);

    TBitmap logo;
    FillBitmap(logo, 16, 16, clNavy);
    logo.GetCanvas()->GetBrush()->SetColor(clYellow);
    logo.GetCanvas()->Ellipse(2, 2, 14, 14);
    form->IMG_Logo->GetPicture()->SetGraphic(&logo);
    TBitmap glyph;
    FillBitmap(glyph, 16, 16, clFuchsia);
    glyph.GetCanvas()->GetBrush()->SetColor(clGreen);
    glyph.GetCanvas()->FillRect(TRect(4, 4, 12, 12));
    form->BTN_Glyph->SetGlyph(&glyph);
    form->CB_Type->SetItemIndex(1);
    EXPECT_EQ(form->Log, std::vector<std::string>{"type Common Cathode"});

    form->Show();
    HWND wnd = form->GetHandle();
    EXPECT_EQ(GetMenu(wnd), form->MNU_Main->GetHandle());
    std::unique_ptr<TBitmap> shot = CaptureWindow(wnd);
    AnsiString file = ExeDir() + "demo.bmp";
    shot->SaveToFile(file);
    EXPECT_TRUE(FileExists(file));

    // A picture of many controls has many colours.
    std::set<COLORREF> colours;
    for (int y = 0; y < shot->GetHeight(); y += 3)
        for (int x = 0; x < shot->GetWidth(); x += 3)
            colours.insert(PixelOf(shot.get(), x, y));
    EXPECT_GT(colours.size(), 8u);

    // Return reaches the default button.
    PostMessageA(wnd, WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    EXPECT_EQ(form->Log.back(), "ok");

    delete form;
    Pump();
    Application->OnException = nullptr;
    EXPECT_TRUE(errors.empty()) << errors.front();
}

} // namespace
