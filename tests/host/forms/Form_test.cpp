// Forms: loading and unloading (with the design values coming back), modal showing
// through the dialog service, and the host frames that carry forms.

#include <gtest/gtest.h>

#include "tests/host/forms/FormsTest.h"
#include "tests/support/ErrorOf.h"

namespace forms_test {
namespace {

using support::ErrorOf;
using Log = std::vector<std::string>;

class FormTest : public FormsTest {};

TEST_F(FormTest, UnloadRaisesUnloadAndPutsTheDesignBack) {
    TestForm form;
    form.Show();
    form.Text1.SetText("250");
    form.Combo1.AddItem("Parcels");
    form.Option2.SetValue(true);
    form.Check1.SetValue(1);
    form.SetCaption("changed");

    form.cancelUnload = 1;
    EXPECT_FALSE(form.Unload());
    form.cancelUnload = 0;
    EXPECT_TRUE(form.Unload());
    EXPECT_TRUE(form.Unload());  // not loaded: nothing happens
    EXPECT_EQ(form.unloads, 2);
    EXPECT_EQ(host::Form::FindLoaded("frmTest"), nullptr);

    form.log.clear();
    form.Load();
    EXPECT_EQ(form.log, (Log{"Form_Load"}));  // going back to the design raises no events
    EXPECT_EQ(form.Text1.Text(), "100");
    EXPECT_EQ(form.Combo1.ListCount(), 0);
    EXPECT_TRUE(form.Option1.Value());
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.Caption(), "frmTest");
}

TEST_F(FormTest, ShowModalReturnsWhenTheDriverClosesTheForm) {
    TestForm dialog("frmConfig");
    TestForm nested("frmSetDir");
    Log order;
    Dialogs().SetDriver([&](host::Form& f) {
        order.push_back("driving " + f.Name());
        if (&f == &nested) return f.Hide();
        nested.ShowModal();  // a dialog may open another
        order.push_back("back in " + f.Name());
        dialog.Command1.Press();
        f.Unload();
    });
    dialog.Command1.Click = [&] { order.push_back("Command1_Click"); };
    dialog.ShowModal();
    order.push_back("returned");
    EXPECT_EQ(order,
              (Log{"driving frmConfig", "driving frmSetDir", "back in frmConfig", "Command1_Click", "returned"}));
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_TRUE(nested.IsLoaded());  // hidden, not unloaded
}

TEST_F(FormTest, ShowModalFailures) {
    TestForm dialog("frmLoadDir");
    // No driver: the form stays open, which is an error; the form is hidden again.
    EXPECT_EQ(ErrorOf([&] { dialog.ShowModal(); }), 5);
    EXPECT_FALSE(dialog.Visible());
    // A shown form cannot be shown modally.
    dialog.Show();
    EXPECT_EQ(ErrorOf([&] { dialog.ShowModal(); }), 400);
    dialog.Hide();
    // A driver that fails: the error comes out of ShowModal and the form is closed.
    Dialogs().SetDriver([](host::Form&) { host::Raise(53); });
    EXPECT_EQ(ErrorOf([&] { dialog.ShowModal(); }), 53);
    EXPECT_FALSE(dialog.IsModal());
}

TEST_F(FormTest, HostFrameCarriesItsFormUntilClosed) {
    struct MainForm : TestForm {
        MainForm() : TestForm("frmMain") {}
        host::HostFrame* frameInLoad = nullptr;
        std::shared_ptr<int> unloadsAtEnd = std::make_shared<int>(-1);
        ~MainForm() override { *unloadsAtEnd = unloads; }
        void Form_Load() override {
            TestForm::Form_Load();
            frameInLoad = HostingFrame();
        }
    };
    auto form = std::make_shared<MainForm>();
    std::shared_ptr<int> unloads = form->unloadsAtEnd;
    std::weak_ptr<MainForm> watch = form;
    auto frame = host::New<host::HostFrame>();
    frame->Create(*form);
    EXPECT_EQ(form->frameInLoad, frame.raw());  // the load handler already finds its frame
    EXPECT_EQ(ErrorOf([&] { host::New<host::HostFrame>()->Create(*form); }), 5);

    frame->SetVisible(true);
    form->Hide();  // hiding the form hides its frame, and does not unload it
    EXPECT_FALSE(frame->Visible());
    form->Unload();  // unloaded by the host, then shown: loads afresh in the same frame
    frame->SetVisible(true);
    EXPECT_EQ(form->loads, 2);

    // Nobody but the host holds the form now; closing unloads it even when it would cancel.
    form->cancelUnload = 1;
    form.reset();
    frame.Reset();
    ASSERT_EQ(host::HostFrame::All().size(), 1u);
    host::HostFrame::All()[0]->Close();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(*unloads, 2);
}

}  // namespace
}  // namespace forms_test
