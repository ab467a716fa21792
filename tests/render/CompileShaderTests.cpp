#include "render/Context.h"
#include "render/ShaderResources.h"
#include "tests/Caught.h"

#include <gtest/gtest.h>

// The embedded sources are bound into the test program's resources as into the program's; the
// pictures' runs compile each of them.
TEST(CompileShader, MissingResourceOrEntryPointFails)
{
    ComException const Missing = Caught([] { Application::Context::CompileShader(SHADER_RESOURCE_OUTLINES + 1, "VS", "vs_4_0"); });
    EXPECT_EQ(static_cast<unsigned int>(Missing.m_Result), 0x80070000u | ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_TRUE(FAILED(Caught([] { Application::Context::CompileShader(SHADER_RESOURCE_BLOSSOMS, "NoSuchEntry", "vs_4_0"); }).m_Result));
}
