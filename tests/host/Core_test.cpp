#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/core/ErrorTrap.h"
#include "host/core/Observers.h"
#include "host/core/Ref.h"
#include "host/core/ScopedFlag.h"
#include "tests/support/ErrorOf.h"

namespace {

using support::ErrorOf;

struct Layer {
    virtual ~Layer() = default;
    int value = 1;
};
struct FeatureLayer : Layer {};
struct GroupLayer : Layer {};

TEST(Ref, EmptyReferenceRaisesObjectNotSetAndQueryRaisesTypeMismatch) {
    host::Ref<Layer> nothing;
    EXPECT_EQ(ErrorOf([&] { (void)nothing->value; }), 91);

    host::Ref<Layer> group = host::New<GroupLayer>();
    EXPECT_EQ(ErrorOf([&] { (void)host::As<FeatureLayer>(group); }), 13);
    EXPECT_EQ(host::As<GroupLayer>(group), group);
}

TEST(ErrorTrap, ResumeNextGoesOnAndOtherFailuresBecomeRunTimeErrors) {
    int steps = 0;
    EXPECT_FALSE(host::ResumeNext([] { host::Raise(host::err::InputPastEndOfFile); }));
    EXPECT_TRUE(host::ResumeNext([&] { ++steps; }));
    EXPECT_EQ(steps, 1);

    long reported = 0;
    host::Trap([] { throw std::bad_alloc(); }, [&](const host::RuntimeError& e) { reported = e.Number(); });
    EXPECT_EQ(reported, 7);
}

TEST(ErrorTrap, TrapStopsAtTheFailureAndRunsTheCleanupBeforeTheHandler) {
    struct Case {
        bool fails, cleanupFails;
        const char* heard;
    };
    // The statement after the failure never runs; the cleanup runs only on a failure.
    for (const Case& c : {Case{false, false, "body after"}, Case{true, false, "body cleanup handler 53"},
                          Case{true, true, "body cleanup handler 53"}}) {
        std::string heard;
        const bool ran = host::Trap(
            [&] {
                heard += "body";
                if (c.fails) host::Raise(host::err::FileNotFound);
                heard += " after";
            },
            [&](const host::RuntimeError& e) { heard += " handler " + std::to_string(e.Number()); },
            [&] {
                heard += " cleanup";
                if (c.cleanupFails) host::Raise(host::err::OutOfMemory);  // dropped: the body's error is heard
            });
        EXPECT_EQ(ran, !c.fails);
        EXPECT_EQ(heard, c.heard);
    }
}

TEST(ScopedFlag, PutsBackThePreviousValueOnEveryWayOut) {
    for (bool before : {false, true}) {
        bool flag = before;
        {
            host::ScopedFlag raised(flag);
            EXPECT_TRUE(flag);
            {
                host::ScopedFlag lowered(flag, false);
                EXPECT_FALSE(flag);
            }
            EXPECT_TRUE(flag) << "an inner flag restores the outer one's value";
        }
        EXPECT_EQ(flag, before);
        EXPECT_EQ(ErrorOf([&] {
                      host::ScopedFlag raised(flag);
                      host::Raise(host::err::FileNotFound);
                  }),
                  53);
        EXPECT_EQ(flag, before) << "restored by a run-time error too";
    }
}

TEST(Observers, CalledInOrderSkippingTheRemovedAndTheEmpty) {
    host::Observers<int> observers;
    std::string heard;
    long second = 0;
    observers.Add([&](int n) {
        heard += "a" + std::to_string(n);
        observers.Remove(second);                      // removed while the list is walked: not called
        observers.Add([&](int) { heard += "late"; });  // added meanwhile: called from the next change on
    });
    second = observers.Add([&](int) { heard += "b"; });
    observers.Add(nullptr);
    observers.Notify(1);
    EXPECT_EQ(heard, "a1");
}

}  // namespace
