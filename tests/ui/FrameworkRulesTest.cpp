#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/CreateParams.h"
#include "ui/DesignScale.h"
#include "ui/EventBinding.h"
#include "ui/FormGeometry.h"
#include "ui/rg_ChuangKouChengXuLei.h"
#include "ui/rg_radio_box.h"

namespace {

TEST(ScaleFactor, FromVerticalDpi) {
    EXPECT_EQ(ScaleFactorForDpi(72), 1.0);
    EXPECT_EQ(ScaleFactorForDpi(96), 1.0);
    EXPECT_EQ(ScaleFactorForDpi(120), 1.25);
    EXPECT_EQ(ScaleFactorForDpi(144), 1.5);
    EXPECT_EQ(ScaleFactorForDpi(192), 2.0);
}

TEST(ScaleFactor, DesignMeasuresRoundHalfUp) {
    SetScaleFactor(1.25);
    EXPECT_EQ(ScaleDesignMeasure(930), 1163);  // 1162.5
    EXPECT_EQ(ScaleDesignMeasure(62), 78);     // 77.5
    EXPECT_EQ(ScaleDesignMeasure(88), 110);
    SetScaleFactor(1.5);
    EXPECT_EQ(ScaleDesignMeasure(829), 1244);   // 1243.5
    EXPECT_EQ(ScaleDesignMeasure(1031), 1547);  // 1546.5
    SetScaleFactor(0.5);                        // never below 1
    EXPECT_EQ(ScaleFactor(), 1.0);
    SetScaleFactor(1.0);
}

// A start-up class as an application declares one.
class rg_startup_probe : public rg_ChuangKouChengXuLei {
  public:
    static const ClassDescriptor& StaticClass() {
        static const ClassDescriptor d =
            MakeClassDescriptor("rg_startup_probe", [] { return new rg_startup_probe; },
                                {&rg_ChuangKouChengXuLei::StaticClass()});
        return d;
    }
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
};

TEST(ClassDescriptor, ProgramAndControlChains) {
    rg_startup_probe program;
    for (const ClassDescriptor* d :
         {&rg_startup_probe::StaticClass(), &rg_ChuangKouChengXuLei::StaticClass(),
          &rg_ChengXuLei::StaticClass(), &CVolUserApp::StaticClass(), &CVolObject::StaticClass()}) {
        EXPECT_TRUE(program.IsKindOf(*d)) << d->name;
    }
    EXPECT_FALSE(program.IsKindOf(CVolRefObject::StaticClass()));

    rg_radio_box radio;
    EXPECT_TRUE(radio.IsKindOf(rg_check_box::StaticClass()));
    EXPECT_TRUE(radio.IsKindOf(CVolWinControl::StaticClass()));
    EXPECT_TRUE(radio.IsKindOf(CVolRefObject::StaticClass()));
    EXPECT_FALSE(radio.IsKindOf(CVolUserApp::StaticClass()));
    // A record made elsewhere with the same name names the same class.
    EXPECT_TRUE(radio.IsKindOf(MakeClassDescriptor("rg_check_box", nullptr, {})));
    const ClassDescriptor& d = rg_ChengXuLei::StaticClass();
    EXPECT_EQ(d.nameLength, 13u);
    EXPECT_EQ(d.nameHash, ClassNameHash("rg_ChengXuLei"));
}

TEST(EventBinding, AHandlerIsNeverEnteredAgainWhileItRuns) {
    rg_startup_probe form;
    EventTarget target = std::make_shared<CVolEventObjectPointer>(&form);
    EventBinding<int> outer;
    EventBinding<> other;
    int outerCalls = 0;
    int otherCalls = 0;
    int nestedAnswer = 0;
    other.Bind(target, [&] { ++otherCalls; });
    outer.Bind(target, [&](int depth) {
        ++outerCalls;
        if (depth == 0) {
            nestedAnswer = outer.FireOr(-7, nullptr, 1);  // same handler again: skipped
            other.Fire(nullptr);                          // another handler of the form: skipped
        }
        return 5;
    });
    EXPECT_EQ(outer.Fire(nullptr, 0), 5);
    EXPECT_EQ(outerCalls, 1);
    EXPECT_EQ(nestedAnswer, -7);
    EXPECT_EQ(otherCalls, 0);
    EXPECT_TRUE(other.Fired());  // it fired, nobody was called
    other.Fire(nullptr);         // the form is free again
    EXPECT_EQ(otherCalls, 1);
}

TEST(EventBinding, ClearedTargetOrThrowingHandler) {
    rg_startup_probe form;
    EventTarget target = std::make_shared<CVolEventObjectPointer>(&form);
    EventBinding<> clicked;
    int calls = 0;
    clicked.Bind(target, [&](CVolWinControl*) {
        ++calls;
        if (calls == 1) {
            throw std::runtime_error("handler failed");
        }
    });
    EXPECT_THROW(clicked.Fire(nullptr), std::runtime_error);
    EXPECT_FALSE(target->Busy());  // a throwing handler does not leave the form locked
    clicked.Fire(nullptr);
    EXPECT_EQ(calls, 2);
    target->Clear();  // the form is gone
    EXPECT_EQ(clicked.FireOr(9, nullptr), 9);
    EXPECT_EQ(calls, 2);

    EventBinding<> unbound;
    EXPECT_EQ(unbound.FireOr(3, nullptr), 3);
    EXPECT_TRUE(unbound.Fired());
}

TEST(FormGeometry, SizeFromDesignAndCentring) {
    const QRect screen(0, 0, 1920, 1080);
    const int unset = CreateParams::kUnset;
    EXPECT_EQ(FormCreateRect(unset, unset, unset, unset, 1031, 484, 0, false, screen),
              QRect((1920 - 1031) / 2, (1080 - 484) / 2, 1031, 484));
    EXPECT_EQ(FormCreateRect(unset, unset, unset, unset, 1031, 484, 22, false, screen).height(),
              484 + 22);
    // A design size of 0 in either direction gives 0 x 0.
    EXPECT_EQ(FormCreateRect(unset, unset, unset, unset, 0, 484, 0, true, screen),
              QRect(0, 0, 0, 0));
    EXPECT_EQ(FormCreateRect(5, 6, 70, 80, 1031, 484, 0, false, screen), QRect(5, 6, 70, 80));
    const QRect monitor(1920, 100, 1280, 1024);
    EXPECT_EQ(PlaceOnMonitor(QRect(10, 20, 200, 100), monitor, 1),
              QPoint((1920 + 1920 + 1280 - 200) / 2, (100 + 100 + 1024 - 100) / 2));
    EXPECT_EQ(PlaceOnMonitor(QRect(10, 20, 200, 100), monitor, 0), QPoint(1930, 120));
}

}  // namespace
