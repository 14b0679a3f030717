#include <gtest/gtest.h>

#include <memory>

#include "host/core/ErrorTrap.h"
#include "host/core/Ref.h"
#include "tests/support/ErrorOf.h"

namespace {

using support::ErrorOf;

struct Layer { virtual ~Layer() = default; int value = 1; };
struct FeatureLayer : Layer {};
struct GroupLayer : Layer {};

TEST(Ref, EmptyReferenceRaisesObjectNotSetAndQueryRaisesTypeMismatch) {
    host::Ref<Layer> nothing;
    EXPECT_EQ(ErrorOf([&] { (void)nothing->value; }), 91);

    host::Ref<Layer> group = host::New<GroupLayer>();
    EXPECT_EQ(ErrorOf([&] { (void)host::As<FeatureLayer>(group); }), 13);
    EXPECT_EQ(host::As<GroupLayer>(group), group);
}

TEST(ErrorTrap, TrapStopsAtTheFailureAndResumeNextGoesOn) {
    int steps = 0;
    long reported = 0;
    EXPECT_FALSE(host::Trap([&] { ++steps; host::Raise(host::err::FileNotFound); ++steps; },
                            [&](const host::RuntimeError& e) { reported = e.Number(); }));
    EXPECT_EQ(steps, 1);  // the statement after the failure never runs
    EXPECT_EQ(reported, 53);

    EXPECT_FALSE(host::ResumeNext([] { host::Raise(host::err::InputPastEndOfFile); }));
    EXPECT_TRUE(host::ResumeNext([&] { ++steps; }));
    EXPECT_EQ(steps, 2);

    // Failures other than run-time errors become run-time errors too.
    host::Trap([] { throw std::bad_alloc(); }, [&](const host::RuntimeError& e) { reported = e.Number(); });
    EXPECT_EQ(reported, 7);
}

}  // namespace
