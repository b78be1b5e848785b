#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/application_directory.h"

namespace sondrel {
namespace {

TEST(ApplicationDirectory, IsTheRunningProgramsFolderAndHoldsTheTemplatesFolder)
{
    const std::string directory = ApplicationDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '/');
    const QFileInfo program(QCoreApplication::applicationFilePath());
    EXPECT_EQ(QFileInfo(QString::fromStdString(directory)).canonicalFilePath(), program.canonicalPath());
    EXPECT_EQ(InstalledDefaultTemplatePath(), directory + "/templates/default_template.htm");
}

}  // namespace
}  // namespace sondrel
