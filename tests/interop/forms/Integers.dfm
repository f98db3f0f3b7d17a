object IntegerEdges: TIntegerEdges
  Zero = 0
  One = 1
  MinusOne = -1
  Int8Max = 127
  Int8Min = -128
  Int8MaxPlus1 = 128
  Int8MinMinus1 = -129
  UInt8Max = 255
  Int16Max = 32767
  Int16Min = -32768
  Int16MaxPlus1 = 32768
  Int16MinMinus1 = -32769
  UInt16Max = 65535
  Int32Max = 2147483647
  Int32Min = -2147483648
  Int32MaxPlus1 = 2147483648
  Int32MinMinus1 = -2147483649
  UInt32Max = 4294967295
  Int64Max = 9223372036854775807
  Int64Min = -9223372036854775808
  Int64MaxMinus1 = 9223372036854775806
  Int64MinPlus1 = -9223372036854775807
  HexByte = $7F
  HexColor = $00C08080
  HexWord = $FFFF
  HexInt32Max = $7FFFFFFF
  HexWide = $123456789A
  Widths = (
    0
    -128
    127
    -32768
    32767
    -2147483648
    2147483647
    -9223372036854775808
    9223372036854775807)
  Ranges = <
    item
      Low = -129
      High = 128
    end
    item
      Low = -32769
      High = 32768
    end
    item
      Low = -2147483649
      High = 2147483648
    end>
  object Int8Child: TChild [127]
  end
  object Int16Child: TChild [128]
  end
  object Int32Child: TChild [32768]
  end
  object MaxChild: TChild [2147483647]
  end
end
