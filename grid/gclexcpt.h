// The grid library's exception classes. Their texts come from the message table
// by number, looked up when the exception is created.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Strings.h"

#include <vector>

class EGclException : public Exception {
public:
    explicit EGclException(AnsiString Message, int ErrorCode = 0)
        : Exception(std::move(Message)), FErrorCode(ErrorCode) {}
    const char* ClassName() const override { return "EGclException"; }
    int ErrorCode() const { return FErrorCode; }

private:
    int FErrorCode;
};

// A class whose constructor takes no arguments and carries message Num.
#define DECLARE_GCL_MESSAGE_EXCEPTION(Name, Base, Num)                                             \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        Name();                                                                                    \
        const char* ClassName() const override { return #Name; }                                   \
    }

DECLARE_EXCEPTION(EControllerError, EGclException);
DECLARE_EXCEPTION(ECmdProcessorError, EGclException);
DECLARE_EXCEPTION(EEntryFieldError, EGclException);
DECLARE_EXCEPTION(EViewerError, EGclException);
DECLARE_EXCEPTION(ENotebookError, EGclException);
DECLARE_EXCEPTION(ERotatedLabelError, EGclException);
DECLARE_EXCEPTION(ETimerPoolError, EGclException);
DECLARE_EXCEPTION(EVirtualListBoxError, EGclException);
DECLARE_EXCEPTION(ESparseArrayError, EGclException);
DECLARE_EXCEPTION(ESAEAtMaxSize, ESparseArrayError);
DECLARE_EXCEPTION(ESAEOutOfBounds, ESparseArrayError);
DECLARE_EXCEPTION(EFixedFontError, EGclException);
DECLARE_EXCEPTION(EMenuMRUError, EGclException);

DECLARE_GCL_MESSAGE_EXCEPTION(ENoTimersAvailable, EGclException, 30189);
DECLARE_GCL_MESSAGE_EXCEPTION(ENoControllerAssigned, EControllerError, 30172);
DECLARE_GCL_MESSAGE_EXCEPTION(EDuplicateCommand, ECmdProcessorError, 30169);
DECLARE_GCL_MESSAGE_EXCEPTION(ETableNotFound, ECmdProcessorError, 30170);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidDataType, EEntryFieldError, 30194);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidDateForMask, EEntryFieldError, 30227);
DECLARE_GCL_MESSAGE_EXCEPTION(ERegionTooLarge, EViewerError, 30186);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidPageIndex, ENotebookError, 30193);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidTabFont, ENotebookError, 30195);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidLabelFont, ERotatedLabelError, 30196);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidTriggerHandle, ETimerPoolError, 30191);
DECLARE_GCL_MESSAGE_EXCEPTION(EOnSelectNotAssigned, EVirtualListBoxError, 30192);
DECLARE_GCL_MESSAGE_EXCEPTION(EOnIsSelectedNotAssigned, EVirtualListBoxError, 30226);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidFixedFont, EFixedFontError, 30214);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidFontParam, EFixedFontError, 30215);

class EInvalidPictureMask : public EEntryFieldError {
public:
    explicit EInvalidPictureMask(const AnsiString& Mask);
    const char* ClassName() const override { return "EInvalidPictureMask"; }
};

// The message names the range of the entry-field data type DataType (0 to 15).
class EInvalidRangeValue : public EEntryFieldError {
public:
    explicit EInvalidRangeValue(Byte DataType);
    const char* ClassName() const override { return "EInvalidRangeValue"; }
};

// The locale's date and time pictures quoted by EInvalidRangeValue for the Date
// and Time types; the locale unit installs them when it starts.
using TGclRangePicture = AnsiString (*)();
void SetRangePictures(TGclRangePicture DatePicture, TGclRangePicture TimePicture);

class EEditorError : public EGclException {
public:
    EEditorError(AnsiString Msg, int ErrorCode) : EGclException(std::move(Msg), ErrorCode) {}
    const char* ClassName() const override { return "EEditorError"; }
};
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidLineOrCol, EEditorError, 30216);
DECLARE_GCL_MESSAGE_EXCEPTION(EInvalidLineOrPara, EEditorError, 30213);

// The text of message Num, formatted with Args in the second form; the byte is unused.
class EReportViewError : public EGclException {
public:
    EReportViewError(Word Num, Byte Unused = 0);
    EReportViewError(Word Num, const std::vector<TFormatArg>& Args, Byte Unused = 0);
    const char* ClassName() const override { return "EReportViewError"; }
};
DECLARE_EXCEPTION(EUnknownView, EReportViewError);
DECLARE_EXCEPTION(EItemNotFound, EReportViewError);
DECLARE_EXCEPTION(EItemAlreadyAdded, EReportViewError);
DECLARE_EXCEPTION(EUpdatePending, EReportViewError);
DECLARE_EXCEPTION(EItemIsNotGroup, EReportViewError);
DECLARE_EXCEPTION(ELineNoOutOfRange, EReportViewError);
DECLARE_EXCEPTION(ENotMultiSelect, EReportViewError);
DECLARE_EXCEPTION(EItemNotInIndex, EReportViewError);
DECLARE_EXCEPTION(ENoActiveView, EReportViewError);
DECLARE_EXCEPTION(EOnCompareNotAsgnd, EReportViewError);
DECLARE_EXCEPTION(EGetAsFloatNotAsg, EReportViewError);
DECLARE_EXCEPTION(EOnFilterNotAsgnd, EReportViewError);
