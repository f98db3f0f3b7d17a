object ListValues: TListValues
  Empty = ()
  EmptyWithBlank = ( )
  Single = (
    1)
  Mixed = (
    'text'
    42
    -1000
    70000
    2.5
    alClient
    True
    False
    nil
    [akLeft, akTop]
    []
    {00FF}
    {})
  Nested = (
    (
      1
      2)
    (
      (
        'deep'
        (
          (
            ())))
      ())
    'after')
  WithCollection = (
    <
      item
        Caption = 'in a list'
      end>
    <>)
  Lines.Strings = (
    'one'
    'two'
    'three')
end
