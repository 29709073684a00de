// The plug-in's items in the driver's settings trees: the landscape compression item of the document settings, and
// the compression list and horizontal move of the printer settings, with the callbacks that apply their values.
#pragma once

#include "catalogue/vocabulary.h"
#include "platform/platform.h"
#include "resources/resource.h"

constexpr LONG kMinCompressPercent = 25;
constexpr LONG kMaxCompressPercent = 100;
constexpr int kChoiceChars = 50;          // one choice text, terminator included

// Both builders follow the driver's two calls: without pOEMOptItems they only set cOEMOptItems; with it they fill
// the cOEMOptItems slots (never more), install their callback, and take every block from hOEMHeap. An item whose
// blocks cannot be allocated is left out: its slot stays empty apart from cbSize. Both answer S_OK.
HRESULT BuildDocumentPropertyItems(POEMCUIPPARAM param);
HRESULT BuildPrinterPropertyItems(POEMCUIPPARAM param);

// Keeps the document item and the private devmode in step at page changes, and stores the percentage as printer
// data ("COMPRESS_VALUE", REG_DWORD) on apply.
LONG APIENTRY DocumentItemsCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM param);
// On apply, stores the chosen compression text and the move as printer data ("COMPRESS_VALUE", "XMove"; REG_SZ
// without a terminator), for the items the switches in the settings file enable.
LONG APIENTRY PrinterItemsCallback(PCPSUICBPARAM callbackParam, POEMCUIPPARAM param);

// An OPTTYPE with `count` zeroed parameters, both blocks from `heap`; null when either cannot be allocated (nothing
// is left behind then).
POPTTYPE AllocOptionType(WORD count, HANDLE heap);
// String `id` of `module` in a block from `heap` sized to the text; null when the string cannot be loaded or the
// block cannot be allocated (nothing is left behind then).
LPWSTR LoadHeapString(HANDLE heap, HANDLE module, UINT id);
