object SetValues: TSetValues
  Empty = []
  EmptyWithBlank = [ ]
  Single = [akLeft]
  Anchors = [akLeft, akTop, akRight, akBottom]
  Tight = [fsBold,fsItalic,fsUnderline,fsStrikeOut]
  Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking]
  Font.Style = [fsBold]
  Choices = (
    []
    [a]
    [a, b])
  object Grid: TStringGrid
    Options = [goFixedVertLine, goFixedHorzLine]
    ScrollBars = ssBoth
    BorderIcons = []
  end
end
