#pragma once

#include "common/Globals.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"
#include "wizards/Invitation_Wizard.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>

// Stands in for the main window: two presets per category and a record of what the wizard
// set on it.
class FakeWizardHost : public InvitationWizardHost
{
public:
    QSizeF Get_My_card_Size_For(const QString& category, const QString& preset, int listIndex) override
    {
        QSizeF size = category == QLatin1String("PVC Card") ? QSizeF(85.598, 54.102) : QSizeF(60, 40);
        size *= 1.0 + 0.1 * listIndex;
        return preset == QLatin1String("V") ? size.transposed() : size;
    }
    QStringList presetNames(const QString& category) const override
    {
        return { category + QStringLiteral(" one"), category + QStringLiteral(" two") };
    }
    void Set_Card_Size_In_Control(const QSizeF& millimetres) override { sizeInControl = millimetres; }
    void Set_Card_Preset_In_Control(const QString& category, const QString& orientation, int row) override
    {
        presetInControl = category + u'/' + orientation + u'/' + QString::number(row);
    }
    float MM_to_Points(float millimetres) override { return millimetres * 2.834645669291f; }
    void Set_Document_Size(const QSizeF& points) override { documentSize = points; }
    void SetDocumentCanvasSize(const QSizeF& points) override { canvasSize = points; }
    void contactUs() override { ++contacts; }

    QSizeF sizeInControl, documentSize, canvasSize;
    QString presetInControl;
    int contacts = 0;
};

// A wizard over a temporary Resources folder with backgrounds and text lists; each test
// acts inside the modal run through `during`.
class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeBackground(QStringLiteral("a.png"));
        writeBackground(QStringLiteral("b.jpg"));
        writeText(QStringLiteral("Title.txt"), "First title\nSecond title\nThird title\n");
        writeText(QStringLiteral("Message.txt"), "First message\nSecond message\n");
        dialogs->modalHandler = [this](QDialog& dialog) {
            dialog.show();
            if (during)
                during(static_cast<Invitation_Wizard&>(dialog));
            dialog.hide();
            return dialog.result();
        };
    }

    void writeBackground(const QString& name)
    {
        const QString folder = Resource_File(QStringLiteral("Background"));
        QDir().mkpath(folder);
        QImage image(101, 64, QImage::Format_RGB32);
        image.fill(QColor(30, 120, 200));
        image.save(
            QDir(folder).filePath(name), QFileInfo(name).suffix().toLower() == QLatin1String("png") ? "PNG" : "JPEG");
    }

    void writeText(const QString& name, const QByteArray& bytes)
    {
        QFile file(Resource_File(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    int run()
    {
        wizard.setResult(0);
        return wizard.Open_Wnd();
    }

    TempResources resources;
    ScriptedDialogs dialogs;
    FakeWizardHost host;
    Invitation_Wizard wizard { host };
    std::function<void(Invitation_Wizard&)> during;
};
