#include "extension/command/Registration.h"

#include <gtest/gtest.h>

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "host/framework/Application.h"
#include "host/framework/CommandBars.h"
#include "host/framework/CommandItem.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

class RegistrationTest : public support::CommandTest {
protected:
    void TearDown() override {
        host::ComponentRegistry::Instance().Unregister(kCorvaneProgId);
        CommandTest::TearDown();
    }
};

TEST_F(RegistrationTest, RegisterRecordsTheClassAndTheHostCreatesItAtStart) {
    auto& registry = host::ComponentRegistry::Instance();
    ASSERT_EQ(CorvaneRegisterServer(), kRegOk);
    ASSERT_EQ(CorvaneRegisterServer(), kRegOk) << "registering again replaces the entry";
    EXPECT_EQ(registry.InCategory("Tovalin").size(), 1u);
    MakeProgramFiles('C');
    app_->Start();
    host::Ref<host::CommandItem> item = app_->CommandBars()->Find("Tovalin_Corvane");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Caption(), "Corvane");
    EXPECT_EQ(gProductName, "Corvane") << "the host ran OnCreate";
    EXPECT_EQ(CorvaneCanUnloadNow(), kRegFalse) << "a command object is alive";

    EXPECT_EQ(CorvaneUnregisterServer(), kRegOk);
    EXPECT_EQ(CorvaneUnregisterServer(), kRegFalse);
}

TEST_F(RegistrationTest, ClassObjectMakesCommandsOfOurClassOnly) {
    host::ComponentRegistry::Factory factory;
    EXPECT_EQ(CorvaneGetClassObject("Other.Thing", &factory), kRegClassNotAvailable);
    EXPECT_EQ(CorvaneGetClassObject(nullptr, &factory), kRegClassNotAvailable);
    EXPECT_EQ(CorvaneGetClassObject(kCorvaneProgId, nullptr), kRegFailed);

    const long before = Corvane::LiveObjects();
    for (const char* id : {"{6d1c3b9e-2f4a-4b7d-9e15-8a3c0f27b4d1}", "TOVALIN.CORVANE"}) {
        ASSERT_EQ(CorvaneGetClassObject(id, &factory), kRegOk) << id;
        host::Ref<host::ICommand> made = factory();
        EXPECT_TRUE(host::Is<Corvane>(made));
        EXPECT_EQ(Corvane::LiveObjects(), before + 1);
    }
    EXPECT_EQ(Corvane::LiveObjects(), before);
}

}  // namespace
