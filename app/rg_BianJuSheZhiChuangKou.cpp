#include "app/rg_BianJuSheZhiChuangKou.h"

#include <array>
#include <utility>

#include "app/model/CountRules.h"
#include "base/Text.h"
#include "ui/DesignScale.h"

namespace {

using Field = int32_t rg_class_DaYinYuLanBianJu::*;

// The boxes are filled, reset and read in this order.
constexpr std::array<Field, 7> kFieldOrder{
    &rg_class_DaYinYuLanBianJu::HeaderHeight,   &rg_class_DaYinYuLanBianJu::FooterHeight,
    &rg_class_DaYinYuLanBianJu::HeaderTableGap, &rg_class_DaYinYuLanBianJu::TopMargin,
    &rg_class_DaYinYuLanBianJu::BottomMargin,   &rg_class_DaYinYuLanBianJu::LeftMargin,
    &rg_class_DaYinYuLanBianJu::RightMargin,
};

// What "重置默认" puts into the boxes, in the same order: the record's initial values as texts.
const std::array<QString, 7> kResetTexts{
    QStringLiteral("60"), QStringLiteral("60"), QStringLiteral("20"), QStringLiteral("20"),
    QStringLiteral("20"), QStringLiteral("40"), QStringLiteral("40"),
};

}  // namespace

rg_BianJuSheZhiChuangKou::rg_BianJuSheZhiChuangKou(rg_class_DaYinYuLanBianJu& margins,
                                                   SettingsOperation loadPrintMargins,
                                                   SaveOperation savePrintMargins)
    : margins_(margins),
      loadPrintMargins_(std::move(loadPrintMargins)),
      savePrintMargins_(std::move(savePrintMargins)) {
    SetText(QStringLiteral("打印预览边距设置"));
}

// The widgets go first, so that no handler runs while the controls are being destroyed.
rg_BianJuSheZhiChuangKou::~rg_BianJuSheZhiChuangKou() {
    DestroyWindow();
}

const ClassDescriptor& rg_BianJuSheZhiChuangKou::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("rg_BianJuSheZhiChuangKou", nullptr, {&CVolWinForm::StaticClass()});
    return d;
}

int64_t rg_BianJuSheZhiChuangKou::RunMarginSettingsWindow(rg_class_DaYinYuLanBianJu& margins,
                                                          SettingsOperation loadPrintMargins,
                                                          SaveOperation savePrintMargins,
                                                          QWidget* owner) {
    rg_BianJuSheZhiChuangKou window(margins, std::move(loadPrintMargins),
                                    std::move(savePrintMargins));
    CreateParams params;
    params.parent = owner;
    params.id = 0xFFFF;
    params.modal = 1;
    params.boxStyle = 1;
    window.CreateControl(params);
    return params.result;
}

int rg_BianJuSheZhiChuangKou::DesignClientWidth() const {
    return ScaleDesignMeasure(287);
}

int rg_BianJuSheZhiChuangKou::DesignClientHeight() const {
    return ScaleDesignMeasure(262);
}

void rg_BianJuSheZhiChuangKou::CreateChildControls() {
    Connect(CreatedEvent, [this] { FillMarginBoxes(); });
    Connect(SaveButton.ClickedEvent, [this](CVolWinControl* sender) { OnButtonClicked(sender); });
    Connect(ResetButton.ClickedEvent, [this](CVolWinControl* sender) { OnButtonClicked(sender); });

    // Every caption is centred both ways on its single line.
    const auto caption = [this](rg_label& label, const QString& text, int32_t id, int x, int y,
                                int width, int height) {
        label.SetText(text);
        label.SetHorizontalAlignment(1);
        label.SetVerticalAlignment(1);
        CreateChild(label, id, x, y, width, height);
    };
    caption(TopMarginCaption, QStringLiteral("边距上"), 101, 15, 20, 48, 24);
    SaveButton.SetText(QStringLiteral("保存设置"));
    CreateChild(SaveButton, 102, 164, 214, 96, 32);
    CreateChild(TopMarginEdit, 103, 64, 18, 64, 28);
    caption(BottomMarginCaption, QStringLiteral("边距下"), 104, 159, 20, 48, 24);
    CreateChild(BottomMarginEdit, 105, 208, 18, 64, 28);
    caption(LeftMarginCaption, QStringLiteral("边距左"), 106, 15, 73, 48, 24);
    CreateChild(LeftMarginEdit, 107, 64, 71, 64, 28);
    caption(RightMarginCaption, QStringLiteral("边距右"), 108, 159, 73, 48, 24);
    CreateChild(RightMarginEdit, 109, 208, 71, 64, 28);
    caption(HeaderHeightCaption, QStringLiteral("页眉"), 110, 15, 121, 48, 24);
    CreateChild(HeaderHeightEdit, 111, 64, 119, 64, 28);
    caption(FooterHeightCaption, QStringLiteral("页脚"), 112, 159, 121, 48, 24);
    CreateChild(FooterHeightEdit, 113, 208, 119, 64, 28);
    caption(HeaderTableGapCaption, QStringLiteral("表格与表格间距"), 114, 63, 172, 96, 24);
    CreateChild(HeaderTableGapEdit, 115, 160, 170, 64, 28);
    ResetButton.SetText(QStringLiteral("重置默认"));
    CreateChild(ResetButton, 116, 28, 214, 96, 32);
}

void rg_BianJuSheZhiChuangKou::OnButtonClicked(CVolWinControl* sender) {
    if (sender == &ResetButton) {
        ResetMarginBoxes();
    } else if (sender == &SaveButton) {
        // The operator asked for this save: margins that silently fail to reach the file are
        // gone at the next start.
        QString failure;
        if (!SaveMarginBoxes(&failure)) {
            ShowMessage(failure, counts::kReminderTitle);
        }
    }
}

std::array<rg_edit_box*, 7> rg_BianJuSheZhiChuangKou::BoxesInFieldOrder() {
    return {&HeaderHeightEdit, &FooterHeightEdit, &HeaderTableGapEdit, &TopMarginEdit,
            &BottomMarginEdit, &LeftMarginEdit,   &RightMarginEdit};
}

void rg_BianJuSheZhiChuangKou::FillMarginBoxes() {
    if (loadPrintMargins_) {
        loadPrintMargins_();
    }
    const auto boxes = BoxesInFieldOrder();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->SetText(vantric::IntToText(margins_.*kFieldOrder[i]));
    }
}

void rg_BianJuSheZhiChuangKou::ResetMarginBoxes() {
    const auto boxes = BoxesInFieldOrder();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->SetText(kResetTexts[i]);
    }
    SaveMarginBoxes();
}

bool rg_BianJuSheZhiChuangKou::SaveMarginBoxes(QString* failure) {
    const auto boxes = BoxesInFieldOrder();
    for (size_t i = 0; i < boxes.size(); ++i) {
        margins_.*kFieldOrder[i] = vantric::TextToInt(boxes[i]->GetText());
    }
    return !savePrintMargins_ || savePrintMargins_(failure);
}
