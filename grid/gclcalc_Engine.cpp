#include "grid/gclcalc.h"

#include <cmath>

TGclCustomCalculatorEngine::TGclCustomCalculatorEngine() = default;

void TGclCustomCalculatorEngine::ClearAll() {
    for (long double& entry : Stack)
        entry = 0;
    LastOperation = coNone;
    OperationCount = 0;
    State = {csValid, csClear};
}

void TGclCustomCalculatorEngine::PushOperand(long double Value) {
    Stack[3] = Stack[2];
    Stack[2] = Stack[1];
    Stack[1] = Stack[0];
    Stack[0] = Value;
}

long double TGclCustomCalculatorEngine::PopOperand() {
    long double top = Stack[0];
    Stack[0] = Stack[1];
    Stack[1] = Stack[2];
    Stack[2] = Stack[3];
    Stack[3] = 0;
    return top;
}

bool TGclBasicCalculatorEngine::AddOperand(long double Value, TGclCalculatorOperation Operation) {
    if (Operation == coNone || !State.Contains(csValid)) return false;
    PushOperand(Value);
    return true;
}

namespace {
// Floating point in C++ does not trap: a result without a value is caught here.
long double Checked(long double Value) {
    if (!std::isfinite(Value)) throw EGclCalcError("Overflow");
    return Value;
}
} // namespace

void TGclBasicCalculatorEngine::Evaluate(TGclCalculatorOperation Op) {
    if (!State.Contains(csValid) || Op > coMemSub) return;
    long double& top = Stack[0];
    switch (Op) {
    case coAdd: Stack[1] = Checked(Stack[1] + top); PopOperand(); break;
    case coSub: Stack[1] = Checked(Stack[1] - top); PopOperand(); break;
    case coMul: Stack[1] = Checked(Stack[1] * top); PopOperand(); break;
    case coDiv:
        if (top == 0) throw EGclCalcError("Division by zero");
        Stack[1] = Checked(Stack[1] / top);
        PopOperand();
        break;
    case coInvert:
        if (top == 0) throw EGclCalcError("Division by zero");
        top = Checked(1 / top);
        break;
    case coSqrt:
        if (top < 0) throw EGclCalcError("Invalid root");
        top = std::sqrt(top);
        break;
    case coPercent: {
        long double x = top / 100;
        if (LastOperation == coAdd || LastOperation == coSub) x = Checked(x * Stack[1]);
        top = x;
        State = {csValid, csClear};
        break;
    }
    case coMemClear: Memory = 0; break;
    case coMemRecall:
        top = Memory;
        State = {csValid, csClear};
        break;
    case coMemStore:
        Memory = top;
        State.Include(csClear);
        break;
    case coMemAdd:
    case coMemSub: {
        long double sum = Op == coMemAdd ? Memory + top : Memory - top;
        Memory = std::isfinite(sum) ? sum : 0;
        State.Include(csClear);
        break;
    }
    default: break;
    }
}

bool TGclBasicCalculatorEngine::AddOperation(TGclCalculatorOperation Op) {
    if (!State.Contains(csValid) || Op == coSubTotal) return false;
    switch (Op) {
    case coNone: return true;
    case coAdd:
    case coSub:
    case coMul:
    case coDiv: {
        Evaluate(LastOperation);
        State = {csValid, csClear};
        bool additive = Op == coAdd || Op == coSub;
        bool countOn = additive ? (LastOperation == coAdd || LastOperation == coSub)
                                : LastOperation == Op;
        OperationCount = countOn ? OperationCount + 1 : 1;
        LastOperation = Op;
        return true;
    }
    case coEqual:
        State.Include(csClear);
        if (LastOperation == coNone) return true;
        Evaluate(LastOperation);
        State = {csValid, csClear};
        LastOperation = LastOperation == coEqual ? coNone : coEqual;
        return true;
    case coInvert:
    case coSqrt:
    case coMemRecall: Evaluate(Op); return true;
    case coPercent:
        Evaluate(coPercent);
        if (!ShowSeparatePercent) {
            Evaluate(LastOperation);
            State = {csValid, csClear};
        }
        OperationCount = LastOperation == coPercent ? OperationCount + 1 : 0;
        if (!ShowSeparatePercent) LastOperation = coEqual;
        return true;
    default: Evaluate(Op); return false;
    }
}

TGclCalculatorOperation CalcButtonOperation(TGclCalculatorButton Button) {
    switch (Button) {
    case cbAdd: return coAdd;
    case cbSub: return coSub;
    case cbMul: return coMul;
    case cbDiv: return coDiv;
    case cbEqual: return coEqual;
    case cbInvert: return coInvert;
    case cbPercent: return coPercent;
    case cbSqrt: return coSqrt;
    case cbMemClear: return coMemClear;
    case cbMemRecall: return coMemRecall;
    case cbMemStore: return coMemStore;
    case cbMemAdd: return coMemAdd;
    case cbMemSub: return coMemSub;
    case cbSubTotal: return coSubTotal;
    default: return coNone;
    }
}

const char* CalcButtonMark(TGclCalculatorButton Button) {
    switch (Button) {
    case cbClearEntry: return "CE";
    case cbClear: return "C";
    case cbAdd: return "+";
    case cbSub: return "-";
    case cbMul: return "*";
    case cbDiv: return "/";
    case cbEqual: return "=";
    case cbInvert: return "1/";
    case cbChangeSign: return "-+";
    case cbPercent: return "%";
    case cbSqrt: return "SQ";
    case cbMemClear: return "MC";
    case cbMemRecall: return "MR";
    case cbMemStore: return "MS";
    case cbMemAdd: return "M+";
    case cbMemSub: return "M-";
    case cbSubTotal: return "*";
    default: return "  ";
    }
}
