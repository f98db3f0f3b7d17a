object TypedFloats: TTypedFloats
  Scale = 2.5s
  Opacity = 0.1s
  NegativeSingle = -3.75S
  Price = 1.5c
  Balance = -12.3456c
  Whole = 100c
  Limit = 922337203685477.5807c
  Created = 45000.25d
  Epoch = 25569.0d
  Plain = 0.1
  Mixed = (
    1.25s
    9.99c
    44197.5d
    0.2)
end
