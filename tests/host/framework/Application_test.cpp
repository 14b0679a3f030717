#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/RuntimeError.h"
#include "host/framework/AppRef.h"
#include "host/framework/Application.h"
#include "host/framework/BuiltInCommand.h"
#include "host/framework/ComponentRegistry.h"
#include "host/framework/UID.h"
#include "tests/support/ErrorOf.h"

namespace {

using host::Ref;

using support::ErrorOf;

// A command that records what the host did with it.
class RecordingCommand : public host::BuiltInCommand {
public:
    RecordingCommand(std::string name, bool failOnCreate)
        : BuiltInCommand({std::move(name), "", "", ""}, [this] { ++clicks; }), failOnCreate_(failOnCreate) {}
    void ICommand_OnCreate(Ref<host::Object> hook) override {
        if (failOnCreate_) host::Raise(host::err::InvalidProcedureCall);
        application = host::As<host::Application>(hook);
        ++creations;
    }

    Ref<host::Application> application;
    int creations = 0, clicks = 0;

private:
    bool failOnCreate_;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { host::ComponentRegistry::Instance().Clear(); }
    void TearDown() override {
        host::Application::Shutdown();
        host::ComponentRegistry::Instance().Clear();
    }

    // Registers a class whose instances are kept in `made`.
    void Register(const std::string& progId, const std::string& name, bool failOnCreate = false) {
        host::ComponentRegistry::Instance().Register(
            {progId, "", "Tovalin", [this, name, failOnCreate] {
                 return Ref<host::ICommand>(made.emplace_back(host::New<RecordingCommand>(name, failOnCreate)));
             }});
    }

    std::vector<Ref<RecordingCommand>> made;
};

TEST_F(ApplicationTest, AppRefIsTheRunningApplicationAndFailsWithoutOne) {
    EXPECT_EQ(ErrorOf([] { host::New<host::AppRef>(); }), 429);

    Ref<host::Application> running = host::Application::Launch();
    Ref<host::Application> viaRef = host::As<host::Application>(Ref<host::AppRef>(host::New<host::AppRef>()));
    // A document opened after the handle was made is the one the handle gives.
    running->NewDocument();
    EXPECT_EQ(viaRef->Document(), running->Document());
}

TEST_F(ApplicationTest, StartCreatesEachRegisteredCommandOnceAndBarsFindIt) {
    Register("Tovalin.Corvane", "Tovalin_Corvane");
    Register("Other.Broken", "Broken", /*failOnCreate=*/true);
    Ref<host::Application> app = host::Application::Launch();

    app->Start();
    app->Start();  // nothing new registered: nothing new made
    ASSERT_EQ(made.size(), 3u) << "Corvane once, the broken class on each start";
    Ref<RecordingCommand> corvane = made[0];
    EXPECT_EQ(corvane->application->Document(), app->Document()) << "the hook is the application";

    Ref<host::CommandBars> bars = app->Document()->CommandBars();
    EXPECT_TRUE(bars->Find("Broken").IsNothing()) << "a command whose creation failed is left off";
    for (const char* key : {"tovalin_corvane", "Tovalin.Corvane"}) {
        ASSERT_FALSE(bars->Find(key).IsNothing()) << key;
        bars->Find(key)->Execute();
    }
    EXPECT_EQ(corvane->clicks, 2);

    // A class registered later is made at the next start, the earlier one is not made again.
    Register("Tovalin.Later", "Later");
    app->Start();
    EXPECT_FALSE(bars->Find("Later").IsNothing());
    EXPECT_EQ(corvane->creations, 1);
}

TEST_F(ApplicationTest, RegistryReplacesUnregistersAndRefusesBadEntries) {
    auto& registry = host::ComponentRegistry::Instance();
    Register("Tovalin.Corvane", "First");
    Register("TOVALIN.CORVANE", "Second");
    EXPECT_EQ(registry.Create("tovalin.corvane")->ICommand_Name(), "Second");

    EXPECT_EQ(ErrorOf([&] { registry.Register({"", "", "Tovalin", [] { return Ref<host::ICommand>(); }}); }), 5);
    EXPECT_EQ(ErrorOf([&] { registry.Register({"A.B", "", "Tovalin", nullptr}); }), 5);

    EXPECT_TRUE(registry.Unregister("Tovalin.Corvane"));
    EXPECT_EQ(ErrorOf([&] { registry.Create("Tovalin.Corvane"); }), 429);
}

TEST_F(ApplicationTest, BuiltInCommandsAreFoundByIdentifierInAnyCase) {
    Ref<host::Application> app = host::Application::Launch();
    Ref<host::CommandBars> bars = app->Document()->CommandBars();

    EXPECT_TRUE(bars->Find(host::New<host::UID>("{00000000-0000-0000-0000-000000000000}")).IsNothing());

    // The select-elements tool becomes the current tool.
    Ref<host::CommandItem> tool = bars->Find(host::New<host::UID>("{c22579d1-bc17-11d0-8667-0000f8751720}"));
    ASSERT_FALSE(tool.IsNothing());
    tool->Execute();
    EXPECT_EQ(app->CurrentTool(), tool);
}

TEST_F(ApplicationTest, ADocumentHasTheCommandBarsOfTheApplicationThatTakesIt) {
    auto document = host::New<host::MxDocument>();
    EXPECT_TRUE(document->CommandBars().IsNothing()) << "no application has taken it yet";

    Ref<host::Application> app = host::Application::Launch();
    app->SetDocument(document);
    EXPECT_EQ(document->CommandBars(), app->CommandBars());
    EXPECT_EQ(ErrorOf([&] { document->SetCommandBars(nullptr); }), 91);
    EXPECT_EQ(document->CommandBars(), app->CommandBars());

    // A handle kept past the shutdown still finds (no) commands instead of failing.
    host::Application::Shutdown();
    EXPECT_TRUE(app->Document()->CommandBars()->Find("Host_ZoomToSelected").IsNothing());
}

}  // namespace
