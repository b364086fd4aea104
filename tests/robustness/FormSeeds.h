// Form texts for the form readers' corpora: one that builds a real form, one that uses
// every kind of value of the text form; and the binary forms' conversion and loading.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/FormText.h"
#include "classlib/Forms.h"
#include "classlib/Streams.h"

// The units whose classes the form seed names.
#include "classlib/ExtCtrls.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Reads into a TForm: properties of every kind on controls, menus and a timer.
inline const std::string kFormSeed = "object Probe: TForm\r\n"
                                     "  Left = 10\r\n"
                                     "  Width = 320\r\n"
                                     "  Caption = 'Probe'#13#10'form'\r\n"
                                     "  Color = clBtnFace\r\n"
                                     "  BorderIcons = [biSystemMenu, biMinimize]\r\n"
                                     "  Position = poScreenCenter\r\n"
                                     "  Font.Height = -11\r\n"
                                     "  Font.Style = [fsBold]\r\n"
                                     "  Constraints.MinWidth = 100\r\n"
                                     "  Hint = '" +
                                     std::string(300, 'h') +
                                     "'\r\n"
                                     "  object PNL_Top: TPanel\r\n"
                                     "    Align = alTop\r\n"
                                     "    Caption = 'Top'\r\n"
                                     "    object BTN_Ok: TButton\r\n"
                                     "      Left = 8\r\n"
                                     "      Caption = 'O&K'\r\n"
                                     "      ModalResult = 1\r\n"
                                     "      Default = True\r\n"
                                     "    end\r\n"
                                     "    object CHK_On: TCheckBox\r\n"
                                     "      Checked = True\r\n"
                                     "    end\r\n"
                                     "  end\r\n"
                                     "  object LST_Items: TListBox\r\n"
                                     "    Items.Strings = (\r\n"
                                     "      'one'\r\n"
                                     "      'two'#9'three')\r\n"
                                     "  end\r\n"
                                     "  object MEM_Text: TMemo\r\n"
                                     "    Lines.Strings = (\r\n"
                                     "      'a')\r\n"
                                     "  end\r\n"
                                     "  object EDT_Name: TEdit\r\n"
                                     "    Text = 'x'\r\n"
                                     "    MaxLength = 10\r\n"
                                     "  end\r\n"
                                     "  object TMR_Tick: TTimer\r\n"
                                     "    Enabled = False\r\n"
                                     "    Interval = 500\r\n"
                                     "  end\r\n"
                                     "  object MNU_Main: TMainMenu\r\n"
                                     "    object MNU_File: TMenuItem\r\n"
                                     "      Caption = '&File'\r\n"
                                     "      object MNU_Open: TMenuItem\r\n"
                                     "        Caption = 'Open'\r\n"
                                     "        ShortCut = 16463\r\n"
                                     "      end\r\n"
                                     "    end\r\n"
                                     "  end\r\n"
                                     "end\r\n";

// Only converted between text and binary: floats, references, collections, binary data.
inline const std::string kSyntaxSeed = "object FM: TFM\r\n"
                                       "  Big = 1099511627776\r\n"
                                       "  Ratio = 0.25\r\n"
                                       "  Anchors = []\r\n"
                                       "  TableList = (\r\n"
                                       "    'Default'\r\n"
                                       "    True\r\n"
                                       "    (\r\n"
                                       "      -1\r\n"
                                       "      0))\r\n"
                                       "  Columns = <\r\n"
                                       "    item\r\n"
                                       "      Width = 50\r\n"
                                       "      Cell = FM.CB_LED\r\n"
                                       "    end>\r\n"
                                       "  Parent = nil\r\n"
                                       "  OnShow = FormShow\r\n"
                                       "  Data = {\r\n"
                                       "    000102030405060708090A0B0C0D0E0F}\r\n"
                                       "  Long = '" +
                                       std::string(300, 'l') +
                                       "'\r\n"
                                       "  object TFoo\r\n"
                                       "  end\r\n"
                                       "end\r\n";

// Text converted to the binary form.
inline std::string ToBinary(const std::string& Text) {
    TStringStream input(Text);
    TStringStream output;
    ObjectTextToBinary(&input, &output);
    return output.GetDataString();
}

// A binary form read into a new form.
inline void LoadFormBinary(const std::string& Binary) {
    TStringStream stream(Binary);
    TForm form(nullptr);
    ReadComponentStream(&stream, &form);
}

// Every window of a shown Form painted at once through the window system, as the screen
// shows it, then the form hidden again.
inline void PaintShown(TForm& Form) {
    Form.Show();
    RedrawWindow(Form.GetHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Form.Hide();
}

// While it stands, an exception that painting hands to the application fails the input
// instead of showing a message box that waits for a click.
class TPaintErrorsRaised {
public:
    TPaintErrorsRaised() : FPrevious(Application->OnException) {
        Application->OnException =
            TExceptionEvent::FromCallable([this](TObject*, const std::exception& E) {
                if (FFirst.empty()) FFirst = E.what();
            });
    }
    ~TPaintErrorsRaised() { Application->OnException = FPrevious; }
    void ThrowFirst() const {
        if (!FFirst.empty()) throw std::logic_error("painting handed the application: " + FFirst);
    }

private:
    TExceptionEvent FPrevious;
    std::string FFirst;
};

// A form text read into a form that is shown and painted, written back, and read again: what
// loads must paint and write, and what it writes must read back as the form that wrote it
// (the second writing is the first), and painting hands the application no exception.
// Prepare, when given, works on each form read before it paints.
inline void LoadPaintWriteRead(const std::string& Text,
                               const std::function<void(TForm&)>& Prepare = {}) {
    TPaintErrorsRaised errors;
    auto roundOf = [&](const std::string& Read) {
        TForm form(nullptr);
        ReadComponentText(Read, &form);
        if (Prepare) Prepare(form);
        PaintShown(form);
        errors.ThrowFirst();
        // The writer's refusal is no refusal of the reader's: what loaded must write.
        try {
            return std::string(WriteComponentText(&form));
        } catch (const EWriteError& E) {
            throw std::logic_error("what loaded cannot be written back: " + E.Message());
        }
    };
    const std::string written = roundOf(Text);
    const std::string again = roundOf(written);
    if (again != written)
        throw std::logic_error("the form wrote back\n" + written + "and then\n" + again);
}

// A form holding Objects (each "object ... end", its lines indented by four).
inline std::string FormHolding(const std::string& Objects) {
    return "object Probe: TForm\r\n  Width = 400\r\n  Height = 300\r\n" + Objects + "end\r\n";
}

// One object of Class with the properties Lines (each a whole "Name = value").
inline std::string Object(const std::string& Name, const std::string& Class,
                          const std::vector<std::string>& Lines, const std::string& Inside = "") {
    std::string text = "  object " + Name + ": " + Class + "\r\n";
    for (const std::string& line : Lines)
        text += "    " + line + "\r\n";
    return text + Inside + "  end\r\n";
}
