#pragma once

#include <d3d11.h>

// The description of the overlay's intermediate texture for a back buffer: its size and format, one
// level, no multisampling, usable as render target and shader resource.
D3D11_TEXTURE2D_DESC OverlayTextureDesc(const D3D11_TEXTURE2D_DESC& BufferDesc);

// Whether a texture made with TextureDesc can stand in for a back buffer described by BufferDesc.
bool MatchesOverlayTexture(const D3D11_TEXTURE2D_DESC& TextureDesc, const D3D11_TEXTURE2D_DESC& BufferDesc);
