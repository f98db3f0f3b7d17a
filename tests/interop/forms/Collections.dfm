object CollectionValues: TCollectionValues
  Empty = <>
  EmptyItem = <
    item
    end>
  Columns = <
    item
      Expanded = False
      FieldName = 'CustomerID'
      Title.Caption = 'ID'
      Title.Font.Style = [fsBold]
      Width = 64
      Visible = True
    end
    item
      Alignment = taRightJustify
      FieldName = 'Revenue'
      Title.Alignment = taCenter
      Title.Caption = 'Revenue '#8364
      Width = 96
    end
    item
      PickList.Strings = (
        'Open'
        'Closed'
        'Pending')
      FieldName = 'Status'
      Visible = True
    end>
  Nested = <
    item
      Name = 'Outer'
      Children = <
        item
          Name = 'Inner'
          Children = <
            item
              Name = 'Innermost'
              Children = <>
            end>
        end
        item
          Name = 'Sibling'
          Data = {0102}
          Tags = [a, b]
        end>
    end>
  object Header: THeaderControl
    Sections = <
      item
        ImageIndex = -1
        Text = 'Name'
        Width = 150
      end
      item
        ImageIndex = -1
        Text = 'Size'
        Width = 70
      end>
  end
end
