#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/application_directory.h"

namespace sondrel {
namespace {

TEST(ApplicationDirectory, IsTheFolderOfTheRunningProgramWithoutATrailingSeparator)
{
    const std::string directory = ApplicationDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '/');
    const QFileInfo program(QCoreApplication::applicationFilePath());
    EXPECT_EQ(QFileInfo(QString::fromStdString(directory)).canonicalFilePath(), program.canonicalPath());
}

TEST(ApplicationDirectory, TheDefaultTemplateLiesInTheTemplatesFolderBesideIt)
{
    EXPECT_EQ(InstalledDefaultTemplatePath(), ApplicationDirectory() + "/templates/default_template.htm");
}

}  // namespace
}  // namespace sondrel
