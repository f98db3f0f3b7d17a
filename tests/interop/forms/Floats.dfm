object FloatValues: TFloatValues
  Zero = 0.0
  NegativeZero = -0.0
  Half = 0.5
  Tenth = 0.1
  Third = 0.333333333333333333
  Pi = 3.14159265358979323846
  E = 2.71828182845904523536
  Negative = -273.15
  Cents = 19.99
  Large = 123456789012345678.0
  Avogadro = 6.02214076E23
  Exponent = 1E5
  LowerExponent = 2.5e-3
  PlusExponent = 1.5E+10
  DoubleMax = 1.7976931348623157E308
  DoubleMin = 2.2250738585072014E-308
  DoubleSubnormal = 4.9E-324
  ExtendedMin = 3.3621031431120935063E-4932
  ExtendedMax = 1.18973149535723176502E4932
  Huge = 1.0E4000
  Tiny = -1.0E-4000
  Whole = 7.0
  Ratios = (
    0.25
    -1.5
    1.0E-20
    (
      99.99
      100.01))
  Stops = <
    item
      Offset = 0.0
      Opacity = 0.75
    end
    item
      Offset = 1.0
      Opacity = 0.125
    end>
end
