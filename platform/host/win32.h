// The Win32 subset as the Linux build sees it.
#pragma once

#include "platform/host/win_base.h"
#include "platform/host/win_spool.h"
#include "platform/host/win_com.h"
#include "platform/host/win_compstui.h"
#include "platform/host/win_resource.h"
#include "platform/host/win_window.h"
#include "platform/host/win_prsht.h"
