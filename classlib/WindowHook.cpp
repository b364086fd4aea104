#include "classlib/WindowHook.h"

#include "classlib/Exceptions.h"
#include "classlib/WindowProcErrors.h"

#include <array>
#include <utility>

namespace {

constexpr int kSlots = TWindowProcHook::MaxHooksPerWindow;

// The property through which the procedure of Slot finds its place in a window's chain.
const char* SlotProperty(int Slot) {
    static const std::array<const char*, kSlots> names = {
        "VantorelWindowProcHook0", "VantorelWindowProcHook1", "VantorelWindowProcHook2",
        "VantorelWindowProcHook3", "VantorelWindowProcHook4", "VantorelWindowProcHook5",
        "VantorelWindowProcHook6", "VantorelWindowProcHook7"};
    return names[static_cast<std::size_t>(Slot)];
}

LONG_PTR AsLong(WNDPROC Proc) {
    return reinterpret_cast<LONG_PTR>(Proc);
}

WNDPROC AsProc(LONG_PTR Value) {
    return reinterpret_cast<WNDPROC>(Value);
}

} // namespace

struct TWindowProcHook::TLink {
    int Slot;
    WNDPROC Previous;
    // Null once the hook has let go while its procedure stays in the chain, under one
    // installed by others: the place then passes every message on.
    TWindowProcHook* Hook;

    static TLink* Of(HWND Wnd, int Slot) {
        return static_cast<TLink*>(GetPropA(Wnd, SlotProperty(Slot)));
    }
};

template <int Slot>
LRESULT CALLBACK TWindowProcHook::SlotProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return Dispatch(Slot, Wnd, Msg, WParam, LParam);
}

WNDPROC TWindowProcHook::SlotProcedure(int Slot) {
    static const auto procedures = []<int... S>(std::integer_sequence<int, S...>) {
        return std::array<WNDPROC, sizeof...(S)>{&SlotProc<S>...};
    }(std::make_integer_sequence<int, kSlots>());
    return procedures[static_cast<std::size_t>(Slot)];
}

TWindowProcHook::~TWindowProcHook() {
    Unhook();
}

void TWindowProcHook::Hook(HWND Wnd, TWndMethod Method) {
    Unhook();
    if (!Wnd || !IsWindow(Wnd)) throw EInvalidOperation("There is no window to hook");
    int slot = 0;
    while (slot < kSlots && TLink::Of(Wnd, slot)) ++slot;
    if (slot == kSlots) throw EInvalidOperation("The window holds too many hooks");
    auto* link = new TLink{slot, AsProc(GetWindowLongPtrA(Wnd, GWLP_WNDPROC)), this};
    SetPropA(Wnd, SlotProperty(slot), link);
    FMethod = std::move(Method);
    FWnd = Wnd;
    FLink = link;
    SetWindowLongPtrA(Wnd, GWLP_WNDPROC, AsLong(SlotProcedure(slot)));
}

void TWindowProcHook::ForgetLink(HWND Wnd, TLink* Link) {
    RemovePropA(Wnd, SlotProperty(Link->Slot));
    delete Link;
}

void TWindowProcHook::Unhook() {
    if (!FWnd) return;
    HWND wnd = std::exchange(FWnd, nullptr);
    TLink* link = std::exchange(FLink, nullptr);
    if (!IsWindow(wnd)) {
        // Cut off before its window went: nothing calls the place any more.
        delete link;
        return;
    }
    const LONG_PTR mine = AsLong(SlotProcedure(link->Slot));
    LONG_PTR above = GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    if (above == mine) {
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, AsLong(link->Previous));
        ForgetLink(wnd, link);
        return;
    }
    // Down the chain through the places of other hooks: the one right above this one skips it.
    for (int depth = 0; depth < kSlots; ++depth) {
        int slot = 0;
        while (slot < kSlots && AsLong(SlotProcedure(slot)) != above) ++slot;
        TLink* other = slot < kSlots ? TLink::Of(wnd, slot) : nullptr;
        if (!other) break;
        if (AsLong(other->Previous) == mine) {
            other->Previous = link->Previous;
            ForgetLink(wnd, link);
            return;
        }
        above = AsLong(other->Previous);
    }
    // Under a procedure installed by others, which calls this one and would lose what lies
    // under it: the place stays and passes every message on.
    link->Hook = nullptr;
}

void TWindowProcHook::CallPrevious(TMessage& Message) {
    Message.Result = FWnd && FLink ? CallWindowProcA(FLink->Previous, FWnd, Message.Msg,
                                                     Message.WParam, Message.LParam)
                                   : 0;
}

LRESULT TWindowProcHook::Dispatch(int Slot, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TLink* link = TLink::Of(Wnd, Slot);
    if (!link) return DefWindowProcA(Wnd, Msg, WParam, LParam);
    TMessage message{Msg, WParam, LParam, 0};
    if (TWindowProcHook* hook = link->Hook) {
        try {
            if (hook->FMethod)
                hook->FMethod(message);
            else
                hook->CallPrevious(message);
        } catch (...) {
            HandleWindowProcException(nullptr);
        }
    } else {
        message.Result = CallWindowProcA(link->Previous, Wnd, Msg, WParam, LParam);
    }
    if (Msg == WM_NCDESTROY) {
        // The window is gone: its places go, and their hooks let go of it. Looked up again:
        // the method may have unhooked, and the hook may have gone with it.
        if (TLink* still = TLink::Of(Wnd, Slot)) {
            if (still->Hook) {
                still->Hook->FWnd = nullptr;
                still->Hook->FLink = nullptr;
            }
            if (GetWindowLongPtrA(Wnd, GWLP_WNDPROC) == AsLong(SlotProcedure(Slot)))
                SetWindowLongPtrA(Wnd, GWLP_WNDPROC, AsLong(still->Previous));
            ForgetLink(Wnd, still);
        }
    }
    return message.Result;
}
