' Vantorel sample program: shows the pages of a page list one after another
' on a 7-segment LED digit whose pins A to H are wired to RB.0 to RB.7.

DEVICE          SX28, OSCXT2, TURBO, STACKX, OPTIONX
FREQ            4_000_000

value           VAR     Byte
temp1           VAR     Byte

PROGRAM Start

Start:
  TRIS_B = %00000000
[SETUP]

Main:
[FORLOOP]
    temp1 = value
[LOOKUP]
    RB = temp1
[PAUSE]
  NEXT
  GOTO Main

END
