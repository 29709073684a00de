#!/usr/bin/env python3
"""Writes the example settings files of this folder.

Settings files are commonly saved in the system's ANSI code page; for a Chinese system that is code page 936.
This script holds the files' text and writes it with CRLF line ends in code page 936 (Python's "gbk" codec),
so the Chinese sections come out as the plug-in will find them on a printer's driver directory. The English
texts are plain ASCII and read the same in every code page.

Run it after changing a text and commit the files it writes:  python3 examples/make_examples.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Driver "Generic Office Laser 300": the file name is the driver name after its first blank.
OFFICE_LASER = r"""
; Settings file of the printer driver "Generic Office Laser 300".
; It lies in the subfolder 3 of the printer driver directory. Texts of the _CN sections are in code page 936.

[SectionNames]
SectionCount=5
Section01=Quality
Section02=Paper
Section03=Service
Section04=Power
Section05=Panel
; Framing of every job: enter the printer's set-up mode, then store the new values.
EnterInstruction=1B 7B 53 31
SaveInstruction=1B 7D 57
; Ends every item's command.
InstructionTail=0D
; Parameters are sent as binary bytes, most significant first.
ParameterRule=High256

[Section01]
ItemCount=4
Item01=Density
Item01Instruction=1B 73 44
Item02=Resolution
Item02Instruction=1B 73 52
Item03=Calibration
Item03Instruction=1B 73 43
Item04=TonerSaver
Item04Instruction=1B 73 54

[Section02]
ItemCount=4
Item01=Source
Item01Instruction=1B 70 53
Item02=Size
Item02Instruction=1B 70 5A
Item03=TopOffset
Item03Instruction=1B 70 54
; Several sizes may be chosen at once: three parameter bytes hold the bit mask of the chosen rows.
Item04=SizeSensing
Item04Instruction=1B 70 44
Item04ParameterCount=3

[Section03]
ItemCount=2
Item01=PageCounter
Item01Instruction=1B 76 50
Item01ParameterCount=0
Item02=EngineTest
Item02Instruction=1B 76 45

[Section04]
ItemCount=2
Item01=SleepDelay
Item01Instruction=1B 65 53
Item02=AutoOff
Item02Instruction=1B 65 4F

[Section05]
ItemCount=2
Item01=Language
Item01Instruction=1B 6C 4C
Item02=Brightness
Item02Instruction=1B 6C 42

; Calibration is done by the service engineer: hidden from the operator.
[Quality_Filter]
SectionEnable=1
Calibration=0

; The service class is for the factory only.
[Service_Filter]
SectionEnable=0

[Quality_Lang_EN]
Title=Print quality
Note=How dark and how fine the printer prints.
Density_Title=Print density
Density_Note=Darker print uses more toner.
Resolution_Title=Resolution
Resolution_Note=Dots per inch for pages that do not ask for their own.
Calibration_Title=Calibration
Calibration_Note=Service only.
TonerSaver_Title=Toner saver
TonerSaver_Note=Prints drafts with less toner.

[Quality_Lang_CN]
Title=打印质量
Note=打印的浓淡与精细程度。
Density_Title=打印浓度
Density_Note=浓度越高，耗粉越多。
Resolution_Title=分辨率
Resolution_Note=页面未指定分辨率时使用的每英寸点数。
Calibration_Title=校准
Calibration_Note=仅供维修使用。
TonerSaver_Title=省粉模式
TonerSaver_Note=以较少的墨粉打印草稿。

[Quality_Rule_EN]
Density_RuleType=Enum
Density_Rule=1=Lightest 2=Light 3=Normal 4=Dark 5=Darkest
Resolution_RuleType=Enum
Resolution_Rule=1=300 dpi 2=600 dpi 3=1200 dpi
Calibration_RuleType=Enum
Calibration_Rule=0=Start
TonerSaver_RuleType=Enum
TonerSaver_Rule=0=Off 1=On

[Quality_Rule_CN]
Density_RuleType=Enum
Density_Rule=1=最浅 2=较浅 3=标准 4=较深 5=最深
Resolution_RuleType=Enum
Resolution_Rule=1=300 dpi 2=600 dpi 3=1200 dpi
Calibration_RuleType=Enum
Calibration_Rule=0=开始
TonerSaver_RuleType=Enum
TonerSaver_Rule=0=关 1=开

[Quality_Default]
Density=3
Resolution=2
Calibration=0
TonerSaver=0

[Paper_Lang_EN]
Title=Paper handling
Note=Where the paper comes from and which sizes the printer expects.
Source_Title=Paper source
Source_Note=Tray used when a document does not choose one.
Size_Title=Default paper size
Size_Note=Size assumed for pages that do not give one.
TopOffset_Title=Top offset
TopOffset_Note=Moves the whole page down (positive) or up (negative), in steps of 2 mm.
SizeSensing_Title=Sizes sensed in tray 2
SizeSensing_Note=Tray 2 tells the chosen sizes apart by itself. Choose one or more.

[Paper_Lang_CN]
Title=纸张处理
Note=纸张来源以及打印机预期的纸张尺寸。
Source_Title=纸张来源
Source_Note=文档未指定纸盒时使用的纸盒。
Size_Title=默认纸张尺寸
Size_Note=页面未指定尺寸时采用的尺寸。
TopOffset_Title=顶部偏移
TopOffset_Note=将整页下移（正值）或上移（负值），每级 2 毫米。
SizeSensing_Title=纸盒 2 自动识别的尺寸
SizeSensing_Note=纸盒 2 能自动区分所选尺寸，可选一个或多个。

[Paper_Rule_EN]
Source_RuleType=Enum
Source_Rule=1=Tray 1 2=Tray 2 3=Manual feed 7=Automatic
Size_RuleType=Enum
Size_Rule=0=A4 1=Letter 2=Legal 3=A5 4=B5 (JIS) 5=Executive
TopOffset_RuleType=Serial
TopOffset_Rule=MIN=-6 MAX=6 STEP=2 TITLE= mm
SizeSensing_RuleType=Enum
SizeSensing_Rule=0=A4 1=Letter 2=A5 3=B5 (JIS) 4=Legal 5=Executive

[Paper_Rule_CN]
Source_RuleType=Enum
Source_Rule=1=纸盒 1 2=纸盒 2 3=手动进纸 7=自动
Size_RuleType=Enum
Size_Rule=0=A4 1=Letter 2=Legal 3=A5 4=B5 (JIS) 5=Executive
TopOffset_RuleType=Serial
TopOffset_Rule=MIN=-6 MAX=6 STEP=2 TITLE= 毫米
SizeSensing_RuleType=Enum
SizeSensing_Rule=0=A4 1=Letter 2=A5 3=B5 (JIS) 4=Legal 5=Executive

; SizeSensing is a bit mask: row k of its option list stands for bit 23-k.
; 10485760 = 0xA00000 = rows 0 and 2 (A4 and A5).
[Paper_Default]
Source=7
Size=0
TopOffset=0
SizeSensing=10485760

[Service_Lang_EN]
Title=Service
PageCounter_Title=Print the page counter
EngineTest_Title=Engine test

[Service_Lang_CN]
Title=维修
PageCounter_Title=打印页数计数
EngineTest_Title=引擎测试

[Service_Rule_EN]
PageCounter_RuleType=Enum
PageCounter_Rule=0=Print
EngineTest_RuleType=Enum
EngineTest_Rule=1=Run

[Service_Rule_CN]
PageCounter_RuleType=Enum
PageCounter_Rule=0=打印
EngineTest_RuleType=Enum
EngineTest_Rule=1=运行

[Service_Default]
PageCounter=0
EngineTest=1

[Power_Lang_EN]
Title=Power saving
Note=When the printer sleeps and when it switches itself off.
SleepDelay_Title=Sleep after
SleepDelay_Note=Idle minutes before the printer goes to sleep.
AutoOff_Title=Switch off
AutoOff_Note=Idle time before the printer switches itself off.

[Power_Lang_CN]
Title=节能
Note=打印机何时休眠以及何时自动关机。
SleepDelay_Title=休眠等待时间
SleepDelay_Note=打印机空闲多少分钟后进入休眠。
AutoOff_Title=自动关机
AutoOff_Note=打印机空闲多久后自动关机。

[Power_Rule_EN]
SleepDelay_RuleType=Serial
SleepDelay_Rule=MIN=5 MAX=60 STEP=5 TITLE= min
AutoOff_RuleType=Enum
AutoOff_Rule=0=Never 1=After 1 hour 4=After 4 hours 8=After 8 hours

[Power_Rule_CN]
SleepDelay_RuleType=Serial
SleepDelay_Rule=MIN=5 MAX=60 STEP=5 TITLE= 分钟
AutoOff_RuleType=Enum
AutoOff_Rule=0=从不 1=1 小时后 4=4 小时后 8=8 小时后

[Power_Default]
SleepDelay=15
AutoOff=4

[Panel_Lang_EN]
Title=Control panel
Note=The printer's own display.
Language_Title=Display language
Language_Note=Language of the control panel.
Brightness_Title=Display brightness
Brightness_Note=1 is the dimmest, 8 the brightest.

[Panel_Lang_CN]
Title=控制面板
Note=打印机自身的显示屏。
Language_Title=显示语言
Language_Note=控制面板使用的语言。
Brightness_Title=显示亮度
Brightness_Note=1 最暗，8 最亮。

[Panel_Rule_EN]
Language_RuleType=Enum
Language_Rule=0=English 1=Chinese 2=Automatic
Brightness_RuleType=Serial
Brightness_Rule=MIN=1 MAX=8

[Panel_Rule_CN]
Language_RuleType=Enum
Language_Rule=0=英语 1=中文 2=自动
Brightness_RuleType=Serial
Brightness_Rule=MIN=1 MAX=8

[Panel_Default]
Language=2
Brightness=5

; Document options of the driver's own settings: the landscape compression list (percent) and the horizontal
; move of landscape output (millimetres). Printer data of the same names take precedence.
[Settings]
Landscape_Compress=1
XMoveEnable=1
Count=4
COMPRESS_VALUE1=100
COMPRESS_VALUE2=90
COMPRESS_VALUE3=80
COMPRESS_VALUE4=70
COMPRESS_VALUE=100
XMove=0
"""

# Driver "Generic Label Printer 40": a label printer that takes its parameters as decimal digits.
LABEL_PRINTER = r"""
; Settings file of the printer driver "Generic Label Printer 40".
; Parameters are sent as ASCII digits: 15 becomes the bytes 31 35.

[SectionNames]
SectionCount=2
Section01=Print
Section02=Media
EnterInstruction=5E 58 41
SaveInstruction=5E 4A 55 53 5E 58 5A
InstructionTail=0D 0A
ParameterRule=BaseOn30

[Section01]
ItemCount=2
Item01=Darkness
Item01Instruction=5E 4D 44
Item02=Speed
Item02Instruction=5E 50 52

[Section02]
ItemCount=2
Item01=MediaType
Item01Instruction=5E 4D 4E
Item02=LabelLength
Item02Instruction=5E 4C 4C

[Print_Lang_EN]
Title=Printing
Darkness_Title=Darkness
Darkness_Note=0 is the lightest, 30 the darkest.
Speed_Title=Print speed
Speed_Note=Slower printing gives sharper labels.

[Print_Lang_CN]
Title=打印
Darkness_Title=打印浓度
Darkness_Note=0 最浅，30 最深。
Speed_Title=打印速度
Speed_Note=速度越慢，标签越清晰。

[Print_Rule_EN]
Darkness_RuleType=Serial
Darkness_Rule=MIN=0 MAX=30 STEP=1
Speed_RuleType=Enum
Speed_Rule=2=2 in/s 3=3 in/s 4=4 in/s 6=6 in/s

[Print_Rule_CN]
Darkness_RuleType=Serial
Darkness_Rule=MIN=0 MAX=30 STEP=1
Speed_RuleType=Enum
Speed_Rule=2=2 英寸/秒 3=3 英寸/秒 4=4 英寸/秒 6=6 英寸/秒

[Print_Default]
Darkness=15
Speed=4

[Media_Lang_EN]
Title=Labels
MediaType_Title=Label stock
MediaType_Note=How the printer finds the start of each label.
LabelLength_Title=Label length
LabelLength_Note=Used for continuous stock only.

[Media_Lang_CN]
Title=标签
MediaType_Title=标签纸类型
MediaType_Note=打印机识别每张标签起点的方式。
LabelLength_Title=标签长度
LabelLength_Note=仅用于连续纸。

[Media_Rule_EN]
MediaType_RuleType=Enum
MediaType_Rule=0=Gap 1=Black mark 2=Continuous
LabelLength_RuleType=Serial
LabelLength_Rule=MIN=10 MAX=200 STEP=10 TITLE= mm

[Media_Rule_CN]
MediaType_RuleType=Enum
MediaType_Rule=0=间隙纸 1=黑标纸 2=连续纸
LabelLength_RuleType=Serial
LabelLength_Rule=MIN=10 MAX=200 STEP=10 TITLE= 毫米

[Media_Default]
MediaType=0
LabelLength=100

[Settings]
Landscape_Compress=0
XMoveEnable=0
"""

FILES = {
    "Office Laser 300_Settings.Dat": OFFICE_LASER,
    "Label Printer 40_Settings.Dat": LABEL_PRINTER,
}


def encode(text):
    data = text.lstrip("\n").replace("\n", "\r\n").encode("gbk")
    # The reader takes a file that is valid UTF-8 as a whole for UTF-8; these must be read in the ANSI code page.
    try:
        data.decode("utf-8")
    except UnicodeDecodeError:
        return data
    sys.exit("a file with Chinese texts must not also be valid UTF-8")


def main():
    for name, text in FILES.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(encode(text))


if __name__ == "__main__":
    main()
