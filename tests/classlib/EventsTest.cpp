#include "classlib/Events.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Counter {
    int Hits = 0;
    void Add(TObject*) { ++Hits; }
    void Other(TObject*) { Hits += 100; }
    virtual void Virtual(TObject*) { Hits += 10; }
    virtual ~Counter() = default;
};

struct Derived : Counter {
    void Virtual(TObject*) override { Hits += 1000; }
};

} // namespace

TEST(Events, BindCallCompareByObjectAndMemberAndDispatchVirtualsOnTheObject) {
    Counter a, b;
    TNotifyEvent onA(&a, &Counter::Add), onB(&b, &Counter::Add), other(&a, &Counter::Other);
    EXPECT_FALSE(TNotifyEvent());
    ASSERT_TRUE(onA);
    onA(nullptr);
    other(nullptr);
    EXPECT_EQ(a.Hits, 101);

    EXPECT_EQ(onA, TNotifyEvent(&a, &Counter::Add));
    EXPECT_FALSE(onA == onB);
    EXPECT_TRUE(onA.SameMember(onB));
    EXPECT_FALSE(onA.SameMember(other));

    Derived d; // virtual members dispatch on the object
    TNotifyEvent virtualOne(&d, &Counter::Virtual);
    virtualOne(nullptr);
    EXPECT_EQ(d.Hits, 1000);
}

TEST(Events, ErasedMethodKeepsItsSignature) {
    Counter a;
    TNotifyEvent e(&a, &Counter::Add);
    EXPECT_TRUE(TNotifyEvent::FromMethod(e.Method()));
    EXPECT_FALSE((TEvent<void(TObject*, int)>::FromMethod(e.Method())));

    int seen = 0;
    auto lambda = TEvent<int(int)>::FromCallable([&](int v) { return seen = v * 2; });
    EXPECT_EQ(lambda(21), 42);
    EXPECT_EQ(seen, 42);
}

TEST(Events, AHandlerThatClearsItsOwnEventStillHasWhatItCaptured) {
    // A handler that runs once and unhooks itself, as idle handlers driving a modal loop do.
    TNotifyEvent event;
    std::string seen;
    const std::string word(64, 'w'); // long enough to live on the heap inside the closure
    event = TNotifyEvent::FromCallable([&event, &seen, word](TObject*) {
        event = nullptr;
        std::string filler(64, 'f'); // would take the freed closure's memory
        seen = word;
    });
    event(nullptr);
    EXPECT_EQ(seen, word);
    EXPECT_FALSE(event);
}
