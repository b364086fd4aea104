// The exception classes of the class library. Every failure is an exception
// derived from Exception, carrying a fixed English message.
#pragma once

#include "classlib/Types.h"

#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : FMessage(std::move(message)) {}

    const AnsiString& Message() const { return FMessage; }
    void SetMessage(const AnsiString& message) { FMessage = message; }
    const char* what() const noexcept override { return FMessage.c_str(); }
    virtual const char* ClassName() const { return "Exception"; }

private:
    AnsiString FMessage;
};

#define DECLARE_EXCEPTION(Name, Base)                                                              \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const override { return #Name; }                                   \
    }

DECLARE_EXCEPTION(EAbort, Exception);
DECLARE_EXCEPTION(EConvertError, Exception);
DECLARE_EXCEPTION(EListError, Exception);
DECLARE_EXCEPTION(EStringListError, EListError);
DECLARE_EXCEPTION(EStreamError, Exception);
DECLARE_EXCEPTION(EFilerError, EStreamError);
DECLARE_EXCEPTION(EReadError, EFilerError);
DECLARE_EXCEPTION(EWriteError, EFilerError);
DECLARE_EXCEPTION(EClassNotFound, EFilerError);
DECLARE_EXCEPTION(EFileStreamError, EStreamError);
DECLARE_EXCEPTION(EFOpenError, EFileStreamError);   // "Cannot open file %s"
DECLARE_EXCEPTION(EFCreateError, EFileStreamError); // "Cannot create file %s"
DECLARE_EXCEPTION(EResNotFound, Exception);
DECLARE_EXCEPTION(EIniFileException, Exception); // "Unable to write to %s"
DECLARE_EXCEPTION(EInvalidGraphic, Exception);
DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
DECLARE_EXCEPTION(EComponentError, Exception);
DECLARE_EXCEPTION(EInvalidOperation, Exception);
DECLARE_EXCEPTION(EInvalidPointer, Exception);
DECLARE_EXCEPTION(EOutOfResources, Exception);
DECLARE_EXCEPTION(EOSError, Exception);
DECLARE_EXCEPTION(EInOutError, Exception); // "I/O error %d"
DECLARE_EXCEPTION(EAssertionFailed, Exception);
DECLARE_EXCEPTION(EMathError, Exception);
DECLARE_EXCEPTION(EZeroDivide, EMathError);
DECLARE_EXCEPTION(EOverflow, EMathError);
DECLARE_EXCEPTION(EIntError, Exception);
DECLARE_EXCEPTION(EDivByZero, EIntError);
DECLARE_EXCEPTION(EIntOverflow, EIntError);
DECLARE_EXCEPTION(ERangeError, EIntError);
