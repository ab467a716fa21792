#include "render/Context.h"

#include "diag/Check.h"

#include <d3dcompiler.h>

#include <string>

using Microsoft::WRL::ComPtr;

ComPtr<ID3DBlob> Application::Context::CompileShader(WORD ResourceIdentifier, const char* Entry, const char* Target)
{
    HMODULE const Module = GetModuleHandleW(nullptr);
    HRSRC const Resource = FindResourceW(Module, MAKEINTRESOURCEW(ResourceIdentifier), RT_RCDATA);
    CHECK_WIN32(Resource);
    DWORD const Size = SizeofResource(Module, Resource);
    HGLOBAL const ResourceDataHandle = LoadResource(Module, Resource);
    CHECK_WIN32(ResourceDataHandle);
    const void* const Text = LockResource(ResourceDataHandle);

    ComPtr<ID3DBlob> CodeBlob;
    ComPtr<ID3DBlob> ErrorBlob;
    HRESULT const CompileResult = D3DCompile(Text, Size, nullptr, nullptr, nullptr, Entry, Target, D3DCOMPILE_ENABLE_STRICTNESS, 0, CodeBlob.GetAddressOf(), ErrorBlob.GetAddressOf());
    if(ErrorBlob)
    {
        std::string const Message(static_cast<const char*>(ErrorBlob->GetBufferPointer()), ErrorBlob->GetBufferSize());
        TRACE(L"D3D Compile Error, %hs\n", Message.c_str());
    }
    CHECK_HRESULT(CompileResult);
    return CodeBlob;
}

void Application::Context::UpdateConstantBuffer(float Time)
{
    StoreMatrices(m_ConstantBufferData, m_World, m_View, m_Projection);
    m_ConstantBufferData.Time = Time;
    m_DeviceContext->UpdateSubresource(m_ConstantBuffer.Get(), 0, nullptr, &m_ConstantBufferData, 0, 0);
}
