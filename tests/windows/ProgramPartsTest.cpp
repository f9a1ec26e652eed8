// What the Windows program parts give an executable, read back from the
// program (the version resource, the manifest, the subsystem, its imports of
// the vendor library) and from a carrier that quits at once (the entry point).

#include "ExecutableImage.h"
#include "carrier/CarrierExitCode.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
juce::File besideTheTests(const char* name)
{
    return juce::File::getSpecialLocation(juce::File::currentExecutableFile).getSiblingFile(name);
}

juce::File carrier()
{
    return besideTheTests("windows_program_parts_carrier.exe");
}

juce::File program()
{
    return besideTheTests("VXQMRT6UpdateProgram.exe");
}

class VersionResource : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto path = program().getFullPathName();
        DWORD handle = 0;
        data.setSize(GetFileVersionInfoSizeA(path.toRawUTF8(), &handle));
        ASSERT_GT(data.getSize(), 0u);
        ASSERT_TRUE(GetFileVersionInfoA(path.toRawUTF8(), 0, static_cast<DWORD>(data.getSize()), data.getData()));
    }

    const void* query(const juce::String& subBlock, UINT& length)
    {
        void* value = nullptr;
        length = 0;
        return VerQueryValueA(data.getData(), subBlock.toRawUTF8(), &value, &length) ? value : nullptr;
    }

    juce::String text(const char* name)
    {
        UINT length = 0;
        const auto* value = static_cast<const char*>(query(juce::String("\\StringFileInfo\\040904E4\\") + name, length));
        return value != nullptr ? juce::String(value) : juce::String("<missing>");
    }

    juce::MemoryBlock data;
};

// Resource types are numbers here (version 16, manifest 24), never names.
BOOL CALLBACK collectType(HMODULE, LPSTR type, LONG_PTR types)
{
    reinterpret_cast<std::set<std::uintptr_t>*>(types)->insert(reinterpret_cast<std::uintptr_t>(type));
    return TRUE;
}
} // namespace

TEST_F(VersionResource, namesTheProgramItsVersionAndACompanyInUsEnglish)
{
    EXPECT_EQ(text("FileDescription"), "VXQMRT6UpdateProgram");
    EXPECT_EQ(text("ProductName"), "VXQMRT6UpdateProgram");
    EXPECT_EQ(text("FileVersion"), "1.0.0");
    EXPECT_EQ(text("ProductVersion"), "1.0.0");
    EXPECT_TRUE(text("CompanyName").isNotEmpty());
    EXPECT_NE(text("CompanyName"), "<missing>");

    UINT length = 0;
    const auto* translation = static_cast<const WORD*>(query("\\VarFileInfo\\Translation", length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
}

TEST_F(VersionResource, fixedPartGivesFileVersion1010AndProductVersion0000)
{
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\", length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));

    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u); // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u); // .1.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(ProgramResources, theManifestRunsAsInvokerWithoutUiAccessAndThereIsNoIcon)
{
    const auto module = LoadLibraryExA(program().getFullPathName().toRawUTF8(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);

    std::set<std::uintptr_t> types;
    EnumResourceTypesA(module, collectType, reinterpret_cast<LONG_PTR>(&types));
    EXPECT_EQ(types, (std::set<std::uintptr_t> { 16, 24 })) << "a version resource and a manifest, nothing else";

    juce::String manifest;

    if (const auto found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        manifest = juce::String::fromUTF8(static_cast<const char*>(LockResource(LoadResource(module, found))),
                                          static_cast<int>(SizeofResource(module, found)));

    EXPECT_TRUE(manifest.contains("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>")) << manifest;
    FreeLibrary(module);
}

TEST(ProgramExecutable, isAGuiProgramThatNeedsNoDllBeyondWindowsOwnAndTheVendorLibrary)
{
    const ExecutableImage image(program());
    ASSERT_TRUE(image.isValid());
    EXPECT_EQ(image.subsystem(), IMAGE_SUBSYSTEM_WINDOWS_GUI);

    char systemDirectory[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(systemDirectory, MAX_PATH), 0u);
    const juce::File system(systemDirectory);

    const auto libraries = image.importedLibraries();
    EXPECT_TRUE(libraries.contains("KERNEL32.dll", true));
    EXPECT_TRUE(libraries.contains("vxqmrt6hid.dll", true));

    for (const auto& library : libraries)
    {
        const auto isWindowsOwn = system.getChildFile(library).existsAsFile();
        EXPECT_TRUE(isWindowsOwn || library.equalsIgnoreCase("vxqmrt6hid.dll")) << library << " is not one of Windows' own";
    }
}

TEST(ProgramExecutable, theEntryPointRunsTheApplicationAndReturnsItsExitCode)
{
    auto commandLine = carrier().getFullPathName().quoted().toStdString();
    STARTUPINFOA startup {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process {};

    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));

    // Only a guard against a hang; the carrier ends at once.
    constexpr DWORD hangGuardMs = 60000;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, hangGuardMs), WAIT_OBJECT_0);

    DWORD exitCode = 0;
    EXPECT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode));
    EXPECT_EQ(exitCode, static_cast<DWORD>(carrierExitCode));

    if (exitCode == STILL_ACTIVE)
        TerminateProcess(process.hProcess, 1);

    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST(VendorLibraryImport, theProgramImportsExactlyTheTenOperationsByNameFromVxqmrt6hidDll)
{
    const ExecutableImage image(program());
    ASSERT_TRUE(image.isValid());

    auto names = image.namesImportedFrom("vxqmrt6hid.dll");
    names.sort(false);

    EXPECT_EQ(names, juce::StringArray({ "HID_EnumHIDno", "HID_Finalize", "HID_GetDeviceType", "HID_GetFirmwareVersion",
                                         "HID_Initialize", "HID_Input", "HID_SetCallback", "HID_Start", "HID_Stop",
                                         "HID_Write" }));
}
