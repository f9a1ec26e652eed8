#pragma once

#include "app/MainComponent.h"
#include "tools/ImageMaker.h"
#include "update/ImageFolder.h"

#include <gtest/gtest.h>

namespace testsupport
{
// A fresh, empty folder that stands for the program's own folder.
class ImageFolderFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        // A name of its own: tests run in parallel processes, whose first free
        // "vxq-images" would be the same folder.
        folder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                     .getChildFile("vxq-images-" + juce::Uuid().toString());
        ASSERT_TRUE(folder.createDirectory());
        setImageFolderForTests(folder);
    }

    void TearDown() override
    {
        setImageFolderForTests({});
        folder.deleteRecursively();
    }

    juce::File writeImage(const juce::String& name, const ImageRequest& request)
    {
        const auto image = makeFirmwareImage(request);
        const auto file = folder.getChildFile(name);
        EXPECT_TRUE(file.replaceWithData(image.getData(), image.getSize()));
        return file;
    }

    juce::File folder;
};
} // namespace testsupport
