#include "configurator/TForm4.h"

#include <QFrame>

#include "configurator/Fonts.h"
#include "configurator/Forms.h"
#include "configurator/QtText.h"
#include "configurator/TForm1.h"
#include "configurator/model/TargetResolution.h"
#include "configurator/widgets/ErrorBox.h"
#include "configurator/widgets/FramedFlatButton.h"

namespace lumora {

namespace {

QRadioButton* Choice(QWidget* parent, const QString& caption, const QRect& bounds) {
    auto* button = new QRadioButton(caption, parent);
    // The designed boxes are tight for this font; keep the left and top, let the caption fit.
    button->setGeometry(bounds.x(), bounds.y() - 2, std::max(bounds.width(), 170),
                        bounds.height() + 4);
    return button;
}

}  // namespace

TForm4::TForm4() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle("Опции");
    setFont(InterfaceFont(13));
    // Outer 392 x 452 less a 4-pixel border on each side and a 23-pixel caption bar.
    setFixedSize(384, 425);
    move(291, 157);

    GroupBox1 = new QGroupBox("Атрибут добавляемого файла", this);
    GroupBox1->setGeometry(7, 13, 370, 180);
    b1 = Choice(GroupBox1, "Всегда по центру", {13, 26, 156, 14});
    b3 = Choice(GroupBox1, "Всегда рядом", {13, 52, 156, 14});
    b4 = Choice(GroupBox1, "Всегда растянуть", {13, 78, 172, 14});
    auto* Bevel1 = new QFrame(GroupBox1);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(0, 104, 369, 2);
    b5 = Choice(GroupBox1, "Лучший вид", {13, 120, 153, 17});
    b2 = Choice(GroupBox1, "От разрешения", {13, 146, 137, 14});
    b5->setChecked(true);

    showsize = new QCheckBox("Показывать размер", GroupBox1);
    showsize->setGeometry(193, 50, 170, 17);
    showsize->setChecked(true);
    showsize->setEnabled(false);
    Label1 = new QLabel("Разрешение:", GroupBox1);
    Label1->move(216, 122);
    Label1->adjustSize();
    cb1 = new QComboBox(GroupBox1);
    cb1->setEditable(false);
    cb1->addItems({"Текущее", "640x480", "800x600", "1024x768", "1152x864", "1280x1024"});
    cb1->setGeometry(216, 138, 117, 22);
    cb1->setCurrentIndex(-1);

    sp2 = FramedFlatButton(this, "Стандарт", {122, 388, 78, 26});
    sp3 = FramedFlatButton(this, "Отмена", {207, 388, 78, 26});
    sp1 = FramedFlatButton(this, "Принять", {292, 388, 78, 26});

    for (QRadioButton* fixed : {b1, b3, b4}) {
        connect(fixed, &QRadioButton::clicked, this, &TForm4::FixedPlacementClick);
    }
    for (QRadioButton* byResolution : {b2, b5}) {
        connect(byResolution, &QRadioButton::clicked, this, &TForm4::ResolutionPlacementClick);
    }
    connect(sp1, &QToolButton::clicked, this, &TForm4::sp1Click);
    connect(sp2, &QToolButton::clicked, this, &TForm4::sp2Click);
    connect(sp3, &QToolButton::clicked, this, &TForm4::sp3Click);
}

PlacementRule TForm4::Rule() const {
    if (b1->isChecked()) {
        return PlacementRule::AlwaysCenter;
    }
    if (b3->isChecked()) {
        return PlacementRule::AlwaysTile;
    }
    if (b4->isChecked()) {
        return PlacementRule::AlwaysStretch;
    }
    if (b2->isChecked()) {
        return PlacementRule::ByResolution;
    }
    return PlacementRule::Best;
}

void TForm4::FixedPlacementClick() {
    cb1->setEnabled(false);
    showsize->setEnabled(true);
}

void TForm4::ResolutionPlacementClick() {
    cb1->setEnabled(true);
    showsize->setEnabled(false);
}

void TForm4::sp1Click() {
    RunHandler(this, [this] {
        TargetResolution& target = Form1->Target();
        if (b2->isChecked() || b5->isChecked()) {
            const QString item = cb1->currentText();
            if (item.isEmpty() || item == "Текущее") {
                ReadDisplayResolutionInto(Form1->registry(), target);
            }
            if (const auto size = ResolutionOfItem(ToUtf8(item))) {
                target.width = size->width;
                target.height = size->height;
            }
        } else {
            target.width = 0;
        }
        hide();
    });
}

void TForm4::sp2Click() {
    if (!b5->isChecked()) {
        b5->setChecked(true);
        ResolutionPlacementClick();
    }
}

void TForm4::sp3Click() {
    hide();
}

}  // namespace lumora
