#include "grid/gclexcpt.h"

#include "grid/gcldata.h"

namespace {

TGclRangePicture DateRangePicture = nullptr;
TGclRangePicture TimeRangePicture = nullptr;

AnsiString PictureOf(TGclRangePicture Source) {
    return Source ? Source() : AnsiString();
}

AnsiString RangeMessage(Byte DataType) {
    struct TLimits {
        long long Low, High;
    };
    static constexpr TLimits IntegerLimits[] = {
        {-2147483648LL, 2147483647LL}, {0, 65535}, {-32768, 32767}, {0, 255}, {-128, 127}};
    if (DataType >= 4 && DataType <= 8) {
        const TLimits& limits = IntegerLimits[DataType - 4];
        return Format(GetGclStr(30203), limits.Low, limits.High);
    }
    if (DataType >= 9 && DataType <= 13) return GetGclStr(static_cast<Word>(30204 + DataType - 9));
    if (DataType == 14) return Format(GetGclStr(30209), PictureOf(DateRangePicture));
    if (DataType == 15) return Format(GetGclStr(30210), PictureOf(TimeRangePicture));
    return GetGclStr(30211);
}

} // namespace

#define DEFINE_GCL_MESSAGE_EXCEPTION(Name, Base, Num)                                              \
    Name::Name() : Base(GetGclStr(Num)) {}

DEFINE_GCL_MESSAGE_EXCEPTION(ENoTimersAvailable, EGclException, 30189)
DEFINE_GCL_MESSAGE_EXCEPTION(ENoControllerAssigned, EControllerError, 30172)
DEFINE_GCL_MESSAGE_EXCEPTION(EDuplicateCommand, ECmdProcessorError, 30169)
DEFINE_GCL_MESSAGE_EXCEPTION(ETableNotFound, ECmdProcessorError, 30170)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidDataType, EEntryFieldError, 30194)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidDateForMask, EEntryFieldError, 30227)
DEFINE_GCL_MESSAGE_EXCEPTION(ERegionTooLarge, EViewerError, 30186)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidPageIndex, ENotebookError, 30193)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidTabFont, ENotebookError, 30195)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidLabelFont, ERotatedLabelError, 30196)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidTriggerHandle, ETimerPoolError, 30191)
DEFINE_GCL_MESSAGE_EXCEPTION(EOnSelectNotAssigned, EVirtualListBoxError, 30192)
DEFINE_GCL_MESSAGE_EXCEPTION(EOnIsSelectedNotAssigned, EVirtualListBoxError, 30226)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidFixedFont, EFixedFontError, 30214)
DEFINE_GCL_MESSAGE_EXCEPTION(EInvalidFontParam, EFixedFontError, 30215)

EInvalidLineOrCol::EInvalidLineOrCol() : EEditorError(GetGclStr(30216), 0) {}
EInvalidLineOrPara::EInvalidLineOrPara() : EEditorError(GetGclStr(30213), 0) {}

EInvalidPictureMask::EInvalidPictureMask(const AnsiString& Mask)
    : EEntryFieldError(Format(GetGclStr(30202), Mask)) {}

EInvalidRangeValue::EInvalidRangeValue(Byte DataType) : EEntryFieldError(RangeMessage(DataType)) {}

void SetRangePictures(TGclRangePicture DatePicture, TGclRangePicture TimePicture) {
    DateRangePicture = DatePicture;
    TimeRangePicture = TimePicture;
}

EReportViewError::EReportViewError(Word Num, Byte) : EGclException(GetGclStr(Num)) {}

EReportViewError::EReportViewError(Word Num, const std::vector<TFormatArg>& Args, Byte)
    : EGclException(FormatArgs(GetGclStr(Num), Args)) {}
